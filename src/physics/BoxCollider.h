#pragma once

#include "physics/CollisionLayer.h"

#include <array>
#include <glm/glm.hpp>
#include <memory>
#include <optional>

namespace fb {

class Entity;
namespace cmp {
class Transform;
}

// An oriented box that follows its parent entity's Transform. Colliders
// live in the fixed pool (ColliderPool.h) and are handed out by index.
//
// A bound collider is the entity's own quad: the unit square through the
// world matrix. An unbound one is `center` +- `size`/2 in the entity's local
// space, through the same matrix.
class BoxCollider {
public:
    // The result of one overlap test: `mtv` moves the argument out of this box.
    struct Overlap {
        bool hit = false;
        glm::vec2 mtv{0.0f, 0.0f};
    };
    // An axis-aligned box that holds the collider.
    struct Bounds {
        glm::vec2 min;
        glm::vec2 max;
    };

    // A collider in use tells the broad phase of every change.
    void SetCenter(glm::vec2 center);
    void SetSize(glm::vec2 size);
    void SetLayer(CollisionLayer layer);
    void SetBound(bool bound);
    void SetID(unsigned int id) { mID = id; }
    void SetInUse(bool inUse) { mInUse = inUse; }
    // Keeps the entity weakly and caches its Transform while it is alive; an
    // empty or expired entity leaves the cached Transform as it was.
    void SetParent(std::weak_ptr<Entity> parent);

    glm::vec2 GetCenter() const { return mCenter; }
    glm::vec2 GetSize() const { return mSize; }
    CollisionLayer GetLayer() const { return mLayer; }
    unsigned int GetID() const { return mID; }
    std::weak_ptr<Entity> GetParent() const { return mParent; }
    bool IsInUse() const { return mInUse; }
    bool IsBound() const { return mBound; }
    // The parent was alive when it was given and has died since: the box
    // belongs to nobody and takes no part in queries.
    bool HasLostParent() const { return mHadLiveParent && mParent.expired(); }
    // The Transform that places the box: the cached one while the parent
    // lives, else none (the box stays in local coordinates).
    cmp::Transform* GetPlacingTransform() const { return mParent.expired() ? nullptr : mTransform.get(); }

    // Recomputes the four corners: 0 (min x, min y), 1 (min x, max y),
    // 2 (max x, max y), 3 (max x, min y) before the transform. Without a
    // living parent they stay in local coordinates.
    void UpdateCorners();
    const glm::vec2& GetCorner(int index) const { return mCorners[index]; }
    // The bounds of the corners as they were last computed.
    Bounds GetBounds() const;

    // Separating-axis test on the four edge directions of both boxes.
    // Touching boxes hit with a zero push-out; a box with a zero-length
    // edge hits nothing.
    Overlap TestOverlap(BoxCollider& other);
    // The same test on the corners as they were last computed, for queries
    // that test one box against many.
    Overlap TestCornersOverlap(const BoxCollider& other) const;

    // The matrix that lays the unit square over the box; none while the
    // parent is dead or has no Transform.
    std::optional<glm::mat3> GetOutlineMatrix() const;
    // Queues the box's outline in red with the debug shapes.
    void DebugDraw() const;

private:
    glm::vec2 mCenter{0.0f, 0.0f};
    std::array<glm::vec2, 4> mCorners{};
    glm::vec2 mSize{0.0f, 0.0f};
    CollisionLayer mLayer;
    bool mInUse = false;
    unsigned int mID = 0;
    std::weak_ptr<Entity> mParent;
    std::shared_ptr<cmp::Transform> mTransform;
    bool mBound = true;
    bool mHadLiveParent = false;
};

} // namespace fb
