#pragma once

#include "physics/BoxCollider.h"

// Where the pool's colliders are, kept in a uniform grid, so that a query
// tests only the colliders near it and still finds the same hits in the
// same order as a walk over every collider.
//
// A collider's place is worked out again when its own settings change (the
// pool and BoxCollider's setters tell the grid), when its Transform changes
// (the grid watches the Transforms of its colliders) and when any entity
// changes its parent. Colliders whose Transform has a parent, whose box is
// huge or not finite, are offered to every query and placed anew each time.
namespace BroadPhase {

// The pool has handed out the collider; it comes after every collider
// taken before it.
void Add(fb::BoxCollider& collider);
// The collider went back to the pool.
void Remove(fb::BoxCollider& collider);
// Something that places the collider has changed.
void Touch(fb::BoxCollider& collider);
// Forgets every collider.
void Clear();

// The colliders that a query may hit, in the order they were taken: those
// whose layer bits meet `mask`, other than `query` itself, whose boxes may
// reach `bounds`. Only one walk is under way at a time.
class Walk {
public:
    Walk(const fb::BoxCollider& query, std::int32_t mask, const fb::BoxCollider::Bounds& bounds);
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

    // The next candidate, with its corners up to date; null at the end.
    fb::BoxCollider* Next();
    // The query has moved to `bounds`: the rest of the walk also offers the
    // colliders that may reach it there.
    void Widen(const fb::BoxCollider::Bounds& bounds);
};

} // namespace BroadPhase
