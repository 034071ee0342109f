#include "script/EntityBinding.h"

#include "core/Entity.h"

#include <lua.hpp>
#include <new>
#include <vector>

namespace {

constexpr const char* kEntityType = "Entity";

using EntityRef = std::shared_ptr<fb::Entity>;

std::vector<EntityRef>& CollectedEntities()
{
    static std::vector<EntityRef> collected;
    return collected;
}

fb::Entity& CheckEntity(lua_State* state, int index)
{
    auto* ref = static_cast<EntityRef*>(luaL_checkudata(state, index, kEntityType));
    if (!*ref)
        luaL_error(state, "the entity has been released");
    return **ref;
}

int Collect(lua_State* state)
{
    auto* ref = static_cast<EntityRef*>(luaL_checkudata(state, 1, kEntityType));
    if (*ref)
        CollectedEntities().push_back(std::move(*ref));
    ref->~EntityRef();
    return 0;
}

int GetName(lua_State* state)
{
    const std::string name = CheckEntity(state, 1).GetName();
    lua_pushlstring(state, name.data(), name.size());
    return 1;
}

int GetID(lua_State* state)
{
    lua_pushinteger(state, CheckEntity(state, 1).GetID());
    return 1;
}

int GetParent(lua_State* state)
{
    std::shared_ptr<fb::Entity> parent = CheckEntity(state, 1).GetParent();
    if (parent)
        PushEntity(state, parent);
    else
        lua_pushnil(state);
    return 1;
}

} // namespace

void BindEntity(lua_State* state)
{
    const luaL_Reg methods[] = {
        {"GetName", GetName},
        {"GetID", GetID},
        {"GetParent", GetParent},
        {nullptr, nullptr},
    };
    luaL_newmetatable(state, kEntityType);
    lua_pushcfunction(state, Collect);
    lua_setfield(state, -2, "__gc");
    luaL_newlib(state, methods);
    lua_setfield(state, -2, "__index");
    lua_pop(state, 1);
}

void PushEntity(lua_State* state, const std::shared_ptr<fb::Entity>& entity)
{
    void* memory = lua_newuserdata(state, sizeof(EntityRef));
    new (memory) EntityRef(entity);
    luaL_setmetatable(state, kEntityType);
}

void ReleaseCollectedEntities()
{
    std::vector<EntityRef> released;
    released.swap(CollectedEntities());
}
