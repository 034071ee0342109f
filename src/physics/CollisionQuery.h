#pragma once

#include "physics/BoxCollider.h"
#include "physics/CollisionResult.h"

// Tests `query` against every other active pool collider whose layer bits
// meet the query's mask, in the order the colliders were taken. An unbound
// query is moved out of each hit before the next test; a bound one stays
// where it is, so its push-outs simply add up. A mask holding bit 1 ("base")
// finds nothing, and neither does a null query. Colliders whose entity has
// died without returning them are passed over.
//
// The colliders come from the broad phase (BroadPhase.h), which offers only
// those near the query.
fb::CollisionResult RunBoxCollision(fb::BoxCollider* query);
// The same query as a walk over every active collider: slower, the same
// result. It shows that the broad phase misses nothing.
fb::CollisionResult RunBoxCollisionScan(fb::BoxCollider* query);
// The same query in the form bound to scripts.
fb::CollisionResult RunBoxCollisionLua(fb::BoxCollider* query);
