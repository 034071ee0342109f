#include "script/LuaBind.h"

#include <limits>

namespace lua {

namespace {

// Upvalues: 1 the methods, 2 the getters.
int Index(lua_State* state)
{
    lua_pushvalue(state, 2);
    if (lua_rawget(state, lua_upvalueindex(1)) != LUA_TNIL)
        return 1;
    lua_pop(state, 1);
    lua_pushvalue(state, 2);
    lua_rawget(state, lua_upvalueindex(2));
    lua_CFunction getter = lua_tocfunction(state, -1);
    if (!getter)
        return 1;
    lua_pop(state, 1);
    return getter(state);
}

const char* MemberName(lua_State* state)
{
    return lua_type(state, 2) == LUA_TSTRING ? lua_tostring(state, 2) : luaL_typename(state, 2);
}

// Upvalues: 1 the setters, 2 the type's name.
int NewIndex(lua_State* state)
{
    lua_pushvalue(state, 2);
    lua_rawget(state, lua_upvalueindex(1));
    lua_CFunction setter = lua_tocfunction(state, -1);
    if (!setter) {
        return luaL_error(state, "%s has no member '%s' that can be set", lua_tostring(state, lua_upvalueindex(2)),
                          MemberName(state));
    }
    lua_pop(state, 1);
    return setter(state);
}

void PushFunctions(lua_State* state, const luaL_Reg* functions)
{
    lua_newtable(state);
    if (functions)
        luaL_setfuncs(state, functions, 0);
}

} // namespace

std::int32_t CheckInt32(lua_State* state, int index)
{
    const lua_Integer value = luaL_checkinteger(state, index);
    luaL_argcheck(state,
                  value >= std::numeric_limits<std::int32_t>::min() &&
                      value <= std::numeric_limits<std::int32_t>::max(),
                  index, "integer out of range");
    return static_cast<std::int32_t>(value);
}

float CheckFloat(lua_State* state, int index)
{
    return static_cast<float>(luaL_checknumber(state, index));
}

int SetterTypeError(lua_State* state, const char* expected)
{
    luaL_getmetafield(state, 1, "__name");
    return luaL_error(state, "%s.%s takes a %s, not a %s", lua_tostring(state, -1), MemberName(state), expected,
                      luaL_typename(state, 3));
}

float CheckSetFloat(lua_State* state)
{
    if (lua_type(state, 3) != LUA_TNUMBER)
        SetterTypeError(state, "number");
    return static_cast<float>(lua_tonumber(state, 3));
}

void RegisterType(lua_State* state, const TypeSpec& spec)
{
    luaL_newmetatable(state, spec.name);

    lua_pushcfunction(state, spec.collect);
    lua_setfield(state, -2, "__gc");

    PushFunctions(state, spec.methods);
    PushFunctions(state, spec.getters);
    lua_pushcclosure(state, Index, 2);
    lua_setfield(state, -2, "__index");

    PushFunctions(state, spec.setters);
    lua_pushstring(state, spec.name);
    lua_pushcclosure(state, NewIndex, 2);
    lua_setfield(state, -2, "__newindex");

    // Scripts may not read or swap the metatable: a handle given another
    // type's finalizer would free memory it does not own.
    lua_pushstring(state, spec.name);
    lua_setfield(state, -2, "__metatable");
    lua_pop(state, 1);

    lua_newtable(state);
    if (spec.constructor) {
        lua_pushcfunction(state, spec.constructor);
        lua_setfield(state, -2, "new");
    }
    lua_setglobal(state, spec.name);
}

} // namespace lua
