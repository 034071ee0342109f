#pragma once

#include "render/ParticleEmitter.h"

// The dust of a jump: particles start on a horizontal line and are thrown
// sideways, away from the world's vertical axis x = 0, and down toward the
// ground line.
class FootstepEmitter : public ParticleEmitter {
public:
    FootstepEmitter(float width, float groundY, float strength);

    glm::vec2 GetSpawnOffset(const Particle& particle) override;
    glm::vec2 GetForce(const Particle& particle) override;
    FootstepEmitter* Clone() override;

private:
    float mWidth;
    float mGroundY;
    float mStrength;
};
