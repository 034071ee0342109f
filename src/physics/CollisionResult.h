#pragma once

#include <array>
#include <cstdint>
#include <glm/glm.hpp>

namespace fb {

class BoxCollider;

// What one collision query found. Every hit is counted, the first ten
// colliders are kept in hit order.
struct CollisionResult {
    static constexpr int kStoredHits = 10;
    // How many of the stored hits GetBoxCollision hands out.
    static constexpr int kReachableHits = 5;

    // The i-th collider hit for 0 <= i < 5, else null.
    const BoxCollider* GetBoxCollision(int i) const;

    bool collision = false;
    std::int32_t numCollisions = 0;
    std::array<BoxCollider*, kStoredHits> colliders{};
    glm::vec2 totalMTV{0.0f, 0.0f};
    glm::vec2 updatedPosition{0.0f, 0.0f};
};

} // namespace fb
