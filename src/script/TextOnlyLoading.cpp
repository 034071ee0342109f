#include "script/TextOnlyLoading.h"

#include <lua.hpp>

namespace {

// Calls the original loader (upvalue 1) with the mode argument at `modeIndex`
// forced to "t"; arguments after it stay as the script gave them.
int CallWithTextMode(lua_State* state, int modeIndex)
{
    if (lua_gettop(state) < modeIndex)
        lua_settop(state, modeIndex);
    lua_pushliteral(state, "t");
    lua_replace(state, modeIndex);
    lua_pushvalue(state, lua_upvalueindex(1));
    lua_insert(state, 1);
    lua_call(state, lua_gettop(state) - 1, LUA_MULTRET);
    return lua_gettop(state);
}

// load(chunk [, chunkname [, mode [, env]]])
int Load(lua_State* state)
{
    return CallWithTextMode(state, 3);
}

// loadfile([filename [, mode [, env]]])
int LoadFile(lua_State* state)
{
    return CallWithTextMode(state, 2);
}

// dofile([filename])
int DoFile(lua_State* state)
{
    const char* file = luaL_optstring(state, 1, nullptr);
    lua_settop(state, 1);
    if (luaL_loadfilex(state, file, "t") != LUA_OK)
        return lua_error(state);
    lua_call(state, 0, LUA_MULTRET);
    return lua_gettop(state) - 1;
}

// The searcher of Lua modules along package.path, loading text only.
int SearchLuaModule(lua_State* state)
{
    const char* name = luaL_checkstring(state, 1);
    lua_getglobal(state, LUA_LOADLIBNAME);
    lua_getfield(state, -1, "searchpath");
    lua_pushstring(state, name);
    lua_getfield(state, -3, "path");
    if (!lua_isstring(state, -1))
        return luaL_error(state, "'package.path' must be a string");
    lua_call(state, 2, 2);
    if (lua_isnil(state, -2))
        return 1; // searchpath's list of the files it tried
    const char* file = lua_tostring(state, -2);
    if (luaL_loadfilex(state, file, "t") != LUA_OK) {
        return luaL_error(state, "error loading module '%s' from file '%s':\n\t%s", name, file,
                          lua_tostring(state, -1));
    }
    lua_pushstring(state, file);
    return 2;
}

void Wrap(lua_State* state, const char* name, lua_CFunction wrapper)
{
    lua_getglobal(state, name);
    lua_pushcclosure(state, wrapper, 1);
    lua_setglobal(state, name);
}

} // namespace

void RestrictLoadingToText(lua_State* state)
{
    Wrap(state, "load", Load);
    Wrap(state, "loadfile", LoadFile);
    lua_pushcfunction(state, DoFile);
    lua_setglobal(state, "dofile");

    // package.searchers[2] is the searcher of Lua files.
    lua_getglobal(state, LUA_LOADLIBNAME);
    lua_getfield(state, -1, "searchers");
    lua_pushcfunction(state, SearchLuaModule);
    lua_rawseti(state, -2, 2);
    lua_pop(state, 2);
}
