#include "physics/CollisionResult.h"

namespace fb {

const BoxCollider* CollisionResult::GetBoxCollision(int i) const
{
    if (i < 0 || i >= kReachableHits)
        return nullptr;
    return colliders[static_cast<std::size_t>(i)];
}

} // namespace fb
