#pragma once

#include <string>

struct lua_State;

namespace fb {
class BoxCollider;
}

// The pool colliders one script has taken with "GetBoxCollider". A script may
// give back only those, each once, so a double free or a stray ID can never
// take a record from its next owner. Whatever the script still holds when it
// ends goes back to the pool then.

// Makes the (empty) record in the state's registry.
void CreateColliderLeases(lua_State* state);
void LeaseCollider(lua_State* state, const fb::BoxCollider& collider);
// False when the script does not hold collider `id`.
bool EndColliderLease(lua_State* state, unsigned int id);
// Frees every collider the script still holds, with a trace naming `scriptPath`.
void ReturnLeasedColliders(lua_State* state, const std::string& scriptPath);
