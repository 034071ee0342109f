#include "physics/CollisionQuery.h"

#include "physics/ColliderPool.h"

namespace {

constexpr std::int32_t kBaseBit = 1;

// The moving copy of the query.
fb::BoxCollider gScratch;

} // namespace

fb::CollisionResult RunBoxCollision(fb::BoxCollider* query)
{
    fb::CollisionResult result;
    if (!query || (query->GetLayer().mask & kBaseBit) != 0)
        return result;

    gScratch.SetCenter(query->GetCenter());
    gScratch.SetSize(query->GetSize());
    gScratch.SetParent(query->GetParent());
    gScratch.SetBound(query->IsBound());

    gScratch.UpdateCorners();

    const fb::CollisionLayer layer = query->GetLayer();
    for (fb::BoxCollider* other : GetActiveBoxColliders()) {
        if (other->GetID() == query->GetID() || !layer.Collides(other->GetLayer()) || other->HasLostParent())
            continue;
        other->UpdateCorners();
        const fb::BoxCollider::Overlap overlap = other->TestCornersOverlap(gScratch);
        if (!overlap.hit)
            continue;
        gScratch.SetCenter(gScratch.GetCenter() + overlap.mtv);
        if (!gScratch.IsBound())
            gScratch.UpdateCorners();
        if (result.numCollisions < fb::CollisionResult::kStoredHits)
            result.colliders[static_cast<std::size_t>(result.numCollisions)] = other;
        ++result.numCollisions;
        result.collision = true;
        result.totalMTV += overlap.mtv;
    }
    result.updatedPosition = gScratch.GetCenter();
    return result;
}

fb::CollisionResult RunBoxCollisionLua(fb::BoxCollider* query)
{
    return RunBoxCollision(query);
}
