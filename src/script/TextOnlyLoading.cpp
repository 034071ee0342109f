#include "script/TextOnlyLoading.h"

#include <lua.hpp>

namespace {

// Where a piece read from a reader function is kept while Lua parses it.
constexpr int kPieceSlot = 5;

// For load with a function: each call of it gives the next piece of the
// chunk, and nil or an empty string ends it.
const char* ReadPiece(lua_State* state, void*, size_t* size)
{
    luaL_checkstack(state, 2, "too many nested functions");
    lua_pushvalue(state, 1);
    lua_call(state, 0, 1);
    if (lua_isnil(state, -1)) {
        lua_pop(state, 1);
        *size = 0;
        return nullptr;
    }
    if (!lua_isstring(state, -1))
        luaL_error(state, "reader function must return a string");
    lua_replace(state, kPieceSlot);
    return lua_tolstring(state, kPieceSlot, size);
}

// The loaded function, its first upvalue set to the table at `environment`
// when there is one; or nil and the message.
int LoadResult(lua_State* state, int status, int environment)
{
    if (status != LUA_OK) {
        lua_pushnil(state);
        lua_insert(state, -2);
        return 2;
    }
    if (environment != 0) {
        lua_pushvalue(state, environment);
        if (!lua_setupvalue(state, -2, 1))
            lua_pop(state, 1);
    }
    return 1;
}

// load(chunk [, chunkname [, mode [, env]]]); the mode is always "t".
int Load(lua_State* state)
{
    size_t length = 0;
    const char* text = lua_tolstring(state, 1, &length);
    luaL_optstring(state, 3, "bt");
    const int environment = lua_isnone(state, 4) ? 0 : 4;
    int status;
    if (text) {
        const char* name = luaL_optstring(state, 2, text);
        status = luaL_loadbufferx(state, text, length, name, "t");
    } else {
        const char* name = luaL_optstring(state, 2, "=(load)");
        luaL_checktype(state, 1, LUA_TFUNCTION);
        lua_settop(state, kPieceSlot);
        status = lua_load(state, ReadPiece, nullptr, name, "t");
    }
    return LoadResult(state, status, environment);
}

// loadfile([filename [, mode [, env]]]); the mode is always "t".
int LoadFile(lua_State* state)
{
    const char* file = luaL_optstring(state, 1, nullptr);
    luaL_optstring(state, 2, "bt");
    const int environment = lua_isnone(state, 3) ? 0 : 3;
    return LoadResult(state, luaL_loadfilex(state, file, "t"), environment);
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

} // namespace

void RestrictLoadingToText(lua_State* state)
{
    lua_register(state, "load", Load);
    lua_register(state, "loadfile", LoadFile);
    lua_register(state, "dofile", DoFile);

    lua_getglobal(state, LUA_LOADLIBNAME);
    lua_pushnil(state);
    lua_setfield(state, -2, "loadlib");
    // The searchers: 1 package.preload, 2 Lua files, 3 and 4 C libraries.
    lua_getfield(state, -1, "searchers");
    lua_pushcfunction(state, SearchLuaModule);
    lua_rawseti(state, -2, 2);
    lua_pushnil(state);
    lua_rawseti(state, -2, 4);
    lua_pushnil(state);
    lua_rawseti(state, -2, 3);
    lua_pop(state, 2);
}
