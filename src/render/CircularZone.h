#pragma once

#include "render/ParticleEmitter.h"

// Particles start on a circle around the world origin; near it they swirl
// around it, farther out they are pulled in harder the farther they are.
class CircularZone : public ParticleEmitter {
public:
    explicit CircularZone(float radius);

    glm::vec2 GetSpawnOffset(const Particle& particle) override;
    glm::vec2 GetForce(const Particle& particle) override;
    CircularZone* Clone() override;

private:
    float mRadius;
};
