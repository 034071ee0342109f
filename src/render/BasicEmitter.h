#pragma once

#include "render/ParticleEmitter.h"

// Particles start inside a disc, uniform in radius (so denser at the
// centre), and drift with a constant wind.
class BasicEmitter : public ParticleEmitter {
public:
    BasicEmitter(float radius, float windX, float windY);

    glm::vec2 GetSpawnOffset(const Particle& particle) override;
    glm::vec2 GetForce(const Particle& particle) override;
    // Radius and wind.
    void Scale(float factor) override;
    BasicEmitter* Clone() override;

    float GetRadius() const { return mRadius; }
    glm::vec2 GetWind() const { return {mWindX, mWindY}; }

private:
    float mRadius;
    float mWindX;
    float mWindY;
};
