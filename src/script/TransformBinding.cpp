#include "core/Transform.h"

#include "script/LuaBind.h"

// "Transform": a component shared with its entity, or one of the script's
// own made by "new". "vec2": a copy, so `t.scale.x = 2` changes a temporary;
// scripts read a vector, change it and set it back.

namespace {

int NoArguments(lua_State* state, const char* type)
{
    if (lua_gettop(state) != 0)
        return luaL_error(state, "%s.new takes no arguments", type);
    return 0;
}

int NewVec2(lua_State* state)
{
    NoArguments(state, kLuaName<glm::vec2>);
    lua::PushCopy(state, glm::vec2(0.0f, 0.0f));
    return 1;
}

int GetX(lua_State* state)
{
    lua_pushnumber(state, lua::Check<glm::vec2>(state, 1).x);
    return 1;
}

int GetY(lua_State* state)
{
    lua_pushnumber(state, lua::Check<glm::vec2>(state, 1).y);
    return 1;
}

int SetX(lua_State* state)
{
    glm::vec2& vector = lua::Check<glm::vec2>(state, 1);
    vector.x = lua::CheckSetFloat(state);
    return 0;
}

int SetY(lua_State* state)
{
    glm::vec2& vector = lua::Check<glm::vec2>(state, 1);
    vector.y = lua::CheckSetFloat(state);
    return 0;
}

void BindVec2(lua_State* state)
{
    static const luaL_Reg getters[] = {{"x", GetX}, {"y", GetY}, {nullptr, nullptr}};
    static const luaL_Reg setters[] = {{"x", SetX}, {"y", SetY}, {nullptr, nullptr}};
    lua::RegisterType(state, {kLuaName<glm::vec2>, nullptr, getters, setters, NewVec2});
}

using fb::cmp::Transform;

int NewTransform(lua_State* state)
{
    NoArguments(state, kLuaName<Transform>);
    lua::PushShared(state, std::make_shared<Transform>());
    return 1;
}

int GetPosition(lua_State* state)
{
    Transform& transform = lua::Check<Transform>(state, 1);
    lua::PushCopy(state, transform.GetPosition());
    return 1;
}

int SetPosition(lua_State* state)
{
    Transform& transform = lua::Check<Transform>(state, 1);
    const float x = lua::CheckFloat(state, 2);
    const float y = lua::CheckFloat(state, 3);
    transform.SetPosition(x, y);
    return 0;
}

int GetRotation(lua_State* state)
{
    lua_pushnumber(state, lua::Check<Transform>(state, 1).GetRotation());
    return 1;
}

int SetRotation(lua_State* state)
{
    Transform& transform = lua::Check<Transform>(state, 1);
    transform.SetRotation(lua::CheckSetFloat(state));
    return 0;
}

int GetScale(lua_State* state)
{
    Transform& transform = lua::Check<Transform>(state, 1);
    lua::PushCopy(state, transform.GetScale());
    return 1;
}

int SetScale(lua_State* state)
{
    Transform& transform = lua::Check<Transform>(state, 1);
    const glm::vec2& scale = lua::CheckSetValue<glm::vec2>(state);
    transform.SetScale(scale.x, scale.y);
    return 0;
}

void RegisterTransform(lua_State* state)
{
    static const luaL_Reg methods[] = {
        {"GetPosition", GetPosition},
        {"SetPosition", SetPosition},
        {nullptr, nullptr},
    };
    static const luaL_Reg getters[] = {{"rotation", GetRotation}, {"scale", GetScale}, {nullptr, nullptr}};
    static const luaL_Reg setters[] = {{"rotation", SetRotation}, {"scale", SetScale}, {nullptr, nullptr}};
    lua::RegisterType(state,
                      {kLuaName<Transform>, methods, getters, setters, NewTransform});
}

} // namespace

void fb::cmp::Transform::BindLua(lua_State* state)
{
    RegisterTransform(state);
    BindVec2(state);
}
