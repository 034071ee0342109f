#pragma once

#include <memory>

struct lua_State;

namespace fb {
class Entity;
}

// Pushes an entity for a script, or nil: the script's own entity as a
// reference that does not own it (the entity owns the script, so anything
// more would keep both alive for ever), any other entity sharing ownership.
void PushEntity(lua_State* state, std::shared_ptr<fb::Entity> entity);

// Scripts hold other entities by shared ownership (their own entity they
// only reference, see ScriptBehavior.h). When Lua collects the last
// reference to an entity, its destructor would close that entity's own Lua
// state in the middle of a collection, so the entity is kept here instead and
// released by this call, outside any script (the entity manager makes it at
// the end of each update). Entities still waiting when the program ends are
// never destroyed.
void ReleaseCollectedEntities();
