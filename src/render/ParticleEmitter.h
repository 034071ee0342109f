#pragma once

#include "core/Component.h"
#include "render/Particle.h"

#include <glm/glm.hpp>

// The shape of a particle effect: where, relative to the entity, each new
// particle starts and which force acts on a live one. An entity holds at
// most one, stored under this base type, and its ParticleSystem finds it.
class ParticleEmitter : public fb::cmp::Component {
public:
    // Added to the entity's world position. The new particle is passed with
    // its velocity already set.
    virtual glm::vec2 GetSpawnOffset(const Particle& particle) = 0;
    // Acceleration on a live particle, world units per second squared.
    virtual glm::vec2 GetForce(const Particle& particle) = 0;
    // Scales the emitter's parameters; by default nothing changes.
    virtual void Scale(float factor) { (void)factor; }
    // Scales per axis; by default nothing changes.
    virtual void ScaleXY(const glm::vec2& factors) { (void)factors; }

    ParticleEmitter* Clone() override = 0;
};
