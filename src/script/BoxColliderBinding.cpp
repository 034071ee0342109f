#include "core/Entity.h"
#include "physics/BoxCollider.h"
#include "script/EntityBinding.h"
#include "script/LuaBind.h"
#include "script/PhysicsBinding.h"

using fb::BoxCollider;

namespace {

int NewCollider(lua_State* state)
{
    if (lua_gettop(state) != 0)
        return luaL_error(state, "BoxCollider.new takes no arguments");
    lua::PushCopy(state, BoxCollider());
    return 1;
}

int SetBound(lua_State* state)
{
    BoxCollider& collider = lua::Check<BoxCollider>(state, 1);
    luaL_checktype(state, 2, LUA_TBOOLEAN);
    collider.SetBound(lua_toboolean(state, 2) != 0);
    return 0;
}

int GetID(lua_State* state)
{
    lua_pushinteger(state, lua::Check<BoxCollider>(state, 1).GetID());
    return 1;
}

int GetCenter(lua_State* state)
{
    lua::PushCopy(state, lua::Check<BoxCollider>(state, 1).GetCenter());
    return 1;
}

int SetCenter(lua_State* state)
{
    BoxCollider& collider = lua::Check<BoxCollider>(state, 1);
    collider.SetCenter(lua::CheckSetValue<glm::vec2>(state));
    return 0;
}

int GetParent(lua_State* state)
{
    BoxCollider& collider = lua::Check<BoxCollider>(state, 1);
    PushEntity(state, collider.GetParent().lock());
    return 1;
}

// nil clears the parent.
int SetParent(lua_State* state)
{
    BoxCollider& collider = lua::Check<BoxCollider>(state, 1);
    if (lua_isnil(state, 3)) {
        collider.SetParent(std::weak_ptr<fb::Entity>());
        return 0;
    }
    if (!lua::Is<fb::Entity>(state, 3))
        return lua::SetterTypeError(state, kLuaName<fb::Entity>);
    // Through the entity itself: a script's own entity is an unowned handle.
    collider.SetParent(lua::Check<fb::Entity>(state, 3).weak_from_this());
    return 0;
}

int GetLayer(lua_State* state)
{
    lua::PushCopy(state, lua::Check<BoxCollider>(state, 1).GetLayer());
    return 1;
}

int SetLayer(lua_State* state)
{
    BoxCollider& collider = lua::Check<BoxCollider>(state, 1);
    collider.SetLayer(lua::CheckSetValue<fb::CollisionLayer>(state));
    return 0;
}

} // namespace

void BindBoxCollider(lua_State* state)
{
    static const luaL_Reg methods[] = {{"SetBound", SetBound}, {"GetID", GetID}, {nullptr, nullptr}};
    static const luaL_Reg getters[] = {
        {"center", GetCenter},
        {"parent", GetParent},
        {"layer", GetLayer},
        {nullptr, nullptr},
    };
    static const luaL_Reg setters[] = {
        {"center", SetCenter},
        {"parent", SetParent},
        {"layer", SetLayer},
        {nullptr, nullptr},
    };
    lua::RegisterType(state,
                      {kLuaName<BoxCollider>, methods, getters, setters, NewCollider});
}
