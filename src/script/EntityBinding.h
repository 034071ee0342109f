#pragma once

#include <memory>

struct lua_State;

namespace fb {
class Entity;
}

// The "Entity" type that scripts see: a reference that shares ownership of
// an engine entity. Scripts cannot make entities.
void BindEntity(lua_State* state);
void PushEntity(lua_State* state, const std::shared_ptr<fb::Entity>& entity);

// Entities whose last Lua reference was collected are released here, outside
// any Lua call, because an entity's destructor closes its own script's state.
void ReleaseCollectedEntities();
