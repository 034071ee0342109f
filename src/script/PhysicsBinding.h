#pragma once

struct lua_State;

// What scripts see of the collision system. A behaviour registers them in
// this order, after "Entity", "Transform" and "vec2".

// The type "CollisionResult" and the functions "GetBoxCollider",
// "FreeBoxCollider" and "RunBoxCollision".
void BindCollisionQueries(lua_State* state);
// The type "BoxCollider": pool records are referenced, never owned, so Lua's
// collector leaves them alone; a collider made by "new" belongs to the script
// and is outside the pool.
void BindBoxCollider(lua_State* state);
// The type "CollisionLayer" and the table "Layer".
void BindCollisionLayer(lua_State* state);
// The type "AdvancedBody", shared with its entity, and the table "Detector".
void BindAdvancedBody(lua_State* state);
