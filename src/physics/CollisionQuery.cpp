#include "physics/CollisionQuery.h"

#include "physics/BroadPhase.h"
#include "physics/ColliderPool.h"

namespace {

constexpr std::int32_t kBaseBit = 1;

// The moving copy of the query.
fb::BoxCollider gScratch;

// Copies the query into the scratch collider; false when the query finds
// nothing at all.
bool StartQuery(const fb::BoxCollider* query)
{
    if (!query || (query->GetLayer().mask & kBaseBit) != 0)
        return false;
    gScratch.SetCenter(query->GetCenter());
    gScratch.SetSize(query->GetSize());
    gScratch.SetParent(query->GetParent());
    gScratch.SetBound(query->IsBound());
    gScratch.UpdateCorners();
    return true;
}

// Tests one candidate, whose corners are up to date, and moves an unbound
// query out of a hit; true when the query moved.
bool TestCandidate(fb::BoxCollider* other, fb::CollisionResult& result)
{
    const fb::BoxCollider::Overlap overlap = other->TestCornersOverlap(gScratch);
    if (!overlap.hit)
        return false;
    gScratch.SetCenter(gScratch.GetCenter() + overlap.mtv);
    if (result.numCollisions < fb::CollisionResult::kStoredHits)
        result.colliders[static_cast<std::size_t>(result.numCollisions)] = other;
    ++result.numCollisions;
    result.collision = true;
    result.totalMTV += overlap.mtv;
    if (gScratch.IsBound())
        return false;
    gScratch.UpdateCorners();
    return true;
}

} // namespace

fb::CollisionResult RunBoxCollision(fb::BoxCollider* query)
{
    fb::CollisionResult result;
    if (!StartQuery(query))
        return result;
    const std::int32_t mask = query->GetLayer().mask;
    BroadPhase::Walk walk(*query, mask, gScratch.GetBounds());
    while (fb::BoxCollider* other = walk.Next()) {
        if (other->HasLostParent())
            continue;
        if (TestCandidate(other, result))
            walk.Widen(gScratch.GetBounds());
    }
    result.updatedPosition = gScratch.GetCenter();
    return result;
}

fb::CollisionResult RunBoxCollisionScan(fb::BoxCollider* query)
{
    fb::CollisionResult result;
    if (!StartQuery(query))
        return result;
    const fb::CollisionLayer layer = query->GetLayer();
    for (fb::BoxCollider* other : GetActiveBoxColliders()) {
        if (other->GetID() == query->GetID() || !layer.Collides(other->GetLayer()) || other->HasLostParent())
            continue;
        other->UpdateCorners();
        TestCandidate(other, result);
    }
    result.updatedPosition = gScratch.GetCenter();
    return result;
}

fb::CollisionResult RunBoxCollisionLua(fb::BoxCollider* query)
{
    return RunBoxCollision(query);
}
