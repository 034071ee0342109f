#pragma once

#include <glm/glm.hpp>

// One live particle of a ParticleSystem, in world coordinates.
struct Particle {
    glm::vec2 position{0.0f, 0.0f};
    // Units per second.
    glm::vec2 velocity{0.0f, 0.0f};
    // Seconds left.
    float life = 0.0f;
    // The lifetime it was given at birth.
    float maxLife = 0.0f;
};
