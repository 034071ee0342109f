#pragma once

#include "physics/CollisionResult.h"

#include <array>
#include <cstdint>

struct lua_State;

// What scripts see of the collision system. A behaviour registers them in
// this order, after "Entity", "Transform" and "vec2".

// A collision result as a script holds it: the colliders it hit stay
// reachable only while they have not gone back to the pool since.
struct ScriptCollisionResult : fb::CollisionResult {
    std::array<std::uint32_t, fb::CollisionResult::kReachableHits> generations{};
};

// Pushes a script's copy of `result`.
void PushCollisionResult(lua_State* state, const fb::CollisionResult& result);

// The type "CollisionResult" and the functions "GetBoxCollider",
// "FreeBoxCollider" and "RunBoxCollision".
void BindCollisionQueries(lua_State* state);
// The type "BoxCollider": pool records are referenced, never owned, so Lua's
// collector leaves them alone, and a reference stops working once its record
// has gone back to the pool; a collider made by "new" belongs to the script
// and is outside the pool.
void BindBoxCollider(lua_State* state);
// The type "CollisionLayer" and the table "Layer".
void BindCollisionLayer(lua_State* state);
// The type "AdvancedBody", shared with its entity, and the table "Detector".
void BindAdvancedBody(lua_State* state);
