#pragma once

#include "core/Component.h"
#include "physics/BoxCollider.h"

namespace fb::cmp {

// The collider of a solid level rectangle: the entity's own quad on the
// world layer. It never moves and never looks for anything itself; bodies
// are pushed out of it. The collider is taken on the first update of an
// entity with a Transform, and again after an Exit; while the pool is
// exhausted the body keeps trying.
class StaticBody : public Component {
public:
    StaticBody() = default;
    StaticBody(const StaticBody&) = delete;
    StaticBody& operator=(const StaticBody&) = delete;
    ~StaticBody() override;

    void Update() override;
    // Returns the collider to the pool.
    void Exit() override;

    // Null until the first update.
    const BoxCollider* GetCollider() const { return mCollider; }

private:
    BoxCollider* mCollider = nullptr;
};

} // namespace fb::cmp
