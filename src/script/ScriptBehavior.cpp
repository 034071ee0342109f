#include "script/ScriptBehavior.h"

#include "core/Trace.h"
#include "script/EntityBinding.h"

#include <fstream>
#include <iterator>
#include <lua.hpp>

namespace {

constexpr const char* kScriptFolder = "assets/script/";

void OpenLibraries(lua_State* state)
{
    const luaL_Reg libraries[] = {
        {"_G", luaopen_base},           {LUA_LOADLIBNAME, luaopen_package}, {LUA_COLIBNAME, luaopen_coroutine},
        {LUA_STRLIBNAME, luaopen_string}, {LUA_TABLIBNAME, luaopen_table},  {LUA_MATHLIBNAME, luaopen_math},
        {LUA_DBLIBNAME, luaopen_debug},  {LUA_UTF8LIBNAME, luaopen_utf8},
    };
    for (const luaL_Reg& library : libraries) {
        luaL_requiref(state, library.name, library.func, 1);
        lua_pop(state, 1);
    }
}

} // namespace

Script::Script(const std::string& fileName)
    : mFileName(fileName)
{
    mState = luaL_newstate();
    if (!mState) {
        Trace("Lua: could not create a state for " + fileName, 4);
        return;
    }
    OpenLibraries(mState);

    const std::string path = kScriptFolder + fileName;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        Trace("Lua: could not open script " + path, 4);
        return;
    }
    const std::string source((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    // Text only: precompiled chunks are refused by the "t" mode.
    if (luaL_loadbufferx(mState, source.data(), source.size(), ("@" + path).c_str(), "t") != LUA_OK) {
        Fail(std::string("load failed: ") + lua_tostring(mState, -1));
        lua_pop(mState, 1);
        return;
    }
    if (lua_pcall(mState, 0, 0, 0) != LUA_OK) {
        Fail(std::string("run failed: ") + lua_tostring(mState, -1));
        lua_pop(mState, 1);
        return;
    }
    mEnabled = true;
}

Script::~Script()
{
    if (mState)
        lua_close(mState);
}

void Script::Fail(const std::string& what)
{
    Trace("Lua: " + mFileName + ": " + what, 4);
    mEnabled = false;
}

bool Script::CallGlobal(const char* function, int argumentCount)
{
    lua_getglobal(mState, function);
    if (!lua_isfunction(mState, -1)) {
        lua_pop(mState, 1 + argumentCount);
        Fail(std::string("no global function \"") + function + "\"");
        return false;
    }
    lua_insert(mState, -1 - argumentCount);
    if (lua_pcall(mState, argumentCount, 0, 0) != LUA_OK) {
        const char* message = lua_tostring(mState, -1);
        Fail(std::string(function) + ": " + (message ? message : "error object is not a string"));
        lua_pop(mState, 1);
        return false;
    }
    return true;
}

ScriptBehavior::ScriptBehavior(std::weak_ptr<fb::Entity> owner, const std::string& fileName)
    : Script(fileName)
    , mOwner(std::move(owner))
{
    if (IsEnabled())
        BindEntity(GetState());
}

bool ScriptBehavior::PushOwner()
{
    if (!IsEnabled())
        return false;
    std::shared_ptr<fb::Entity> owner = mOwner.lock();
    if (!owner)
        return false;
    PushEntity(GetState(), owner);
    return true;
}

void ScriptBehavior::CallInit()
{
    if (PushOwner())
        CallGlobal("init", 1);
}

void ScriptBehavior::CallUpdate(float dt)
{
    if (!PushOwner())
        return;
    lua_pushnumber(GetState(), dt);
    CallGlobal("update", 2);
}

void ScriptBehavior::CallExit()
{
    if (PushOwner())
        CallGlobal("exit", 1);
}
