#pragma once

#include "core/Component.h"
#include "physics/BoxCollider.h"
#include "physics/CollisionLayer.h"

#include <glm/glm.hpp>

namespace fb::cmp {

// A minimal moving body: a fixed 1/60 s step whatever the frame time, no
// friction, no bounce. Contact pushes it out but leaves its velocity alone.
// The collider, sized to the entity, is taken on the first update.
class BasicBody : public Component {
public:
    static constexpr float kStep = 1.0f / 60.0f;

    BasicBody(glm::vec2 velocity, glm::vec2 acceleration, CollisionLayer layer);
    BasicBody(const BasicBody&) = delete;
    BasicBody& operator=(const BasicBody&) = delete;
    ~BasicBody() override;

    void Update() override;
    // Returns the collider to the pool.
    void Exit() override;

    glm::vec2 GetVelocity() const { return mVelocity; }
    // Null until the first update.
    const BoxCollider* GetCollider() const { return mCollider; }

private:
    BoxCollider* mCollider = nullptr;
    CollisionLayer mLayer;
    glm::vec2 mVelocity;
    glm::vec2 mAcceleration;
};

} // namespace fb::cmp
