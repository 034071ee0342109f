#pragma once

#include "render/ParticleEmitter.h"

// Particles start on an ellipse of half-axes sizeX and sizeY, at the point
// in the direction they will fly, and drift with a constant wind. Only the
// particle editor makes one; particle files cannot name it.
class ElipticalEmitter : public ParticleEmitter {
public:
    ElipticalEmitter(float sizeX, float sizeY, float windX, float windY);

    glm::vec2 GetSpawnOffset(const Particle& particle) override;
    glm::vec2 GetForce(const Particle& particle) override;
    // Both half-axes and the wind.
    void Scale(float factor) override;
    ElipticalEmitter* Clone() override;

private:
    float mSizeX;
    float mSizeY;
    float mWindX;
    float mWindY;
};
