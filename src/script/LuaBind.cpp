#include "script/LuaBind.h"

#include "script/ScriptHost.h"

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

int NewBoxMemory(lua_State* state)
{
    RefuseWhileClosing(state);
    lua_newuserdata(state, kBoxSize);
    return 1;
}

// The "__gc" of every bound type: the box releases itself as what it is.
int Collect(lua_State* state)
{
    if (BoxHeader* header = TestHeader(state, 1))
        header->release(header);
    return 0;
}

void PushFunctions(lua_State* state, const luaL_Reg* functions)
{
    lua_newtable(state);
    if (functions)
        luaL_setfuncs(state, functions, 0);
}

} // namespace

void RefuseWhileClosing(lua_State* state)
{
    if (ScriptHost::Of(state).IsClosing())
        luaL_error(state, "a script that is closing cannot make new values");
}

bool PushBoxMemory(lua_State* state)
{
    lua_pushcfunction(state, NewBoxMemory);
    return lua_pcall(state, 0, 1, 0) == LUA_OK;
}

BoxHeader* TestHeader(lua_State* state, int index)
{
    if (lua_type(state, index) != LUA_TUSERDATA || lua_rawlen(state, index) != kBoxSize)
        return nullptr;
    return static_cast<BoxHeader*>(lua_touserdata(state, index));
}

const char* TypeName(lua_State* state, int index)
{
    const BoxHeader* header = TestHeader(state, index);
    return header ? *header->type : luaL_typename(state, index);
}

int TypeError(lua_State* state, int index, const char* expected)
{
    return luaL_argerror(state, index, lua_pushfstring(state, "%s expected, got %s", expected, TypeName(state, index)));
}

int ReleasedError(lua_State* state, int index)
{
    const BoxHeader* header = TestHeader(state, index);
    if (header && header->generationNow)
        return luaL_argerror(state, index,
                             lua_pushfstring(state, "this %s has gone back to the pool", *header->type));
    return luaL_argerror(state, index, lua_pushfstring(state, "this %s has been released", TypeName(state, index)));
}

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
    return luaL_error(state, "%s.%s takes a %s, not a %s", TypeName(state, 1), MemberName(state), expected,
                      TypeName(state, 3));
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

    lua_pushcfunction(state, Collect);
    lua_setfield(state, -2, "__gc");

    PushFunctions(state, spec.methods);
    PushFunctions(state, spec.getters);
    lua_pushcclosure(state, Index, 2);
    lua_setfield(state, -2, "__index");

    PushFunctions(state, spec.setters);
    lua_pushstring(state, spec.name);
    lua_pushcclosure(state, NewIndex, 2);
    lua_setfield(state, -2, "__newindex");

    // Scripts may not read or swap the metatable with the base library.
    // (The debug library can; the type tag in each value keeps that harmless.)
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
