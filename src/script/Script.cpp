#include "script/Script.h"

#include "core/Trace.h"
#include "script/ScriptHost.h"
#include "script/TextOnlyLoading.h"

#include <lua.hpp>

namespace {

constexpr const char* kScriptFolder = "assets/script/";

// The count hook fires every this many instructions.
constexpr int kHookInterval = 10'000;

// Scripts never run inside one another, so one budget serves every state.
int gHookTicksLeft = 0;

void CountInstructions(lua_State* state, lua_Debug*)
{
    if (--gHookTicksLeft > 0)
        return;
    luaL_error(state, "ran more than %d instructions without returning (an endless loop?)",
               Script::kInstructionBudget);
}

// Adds the script's call stack to an error message.
int AddTraceback(lua_State* state)
{
    const char* message = lua_tostring(state, 1);
    if (!message)
        message = lua_pushfstring(state, "(the error is a %s value, not a message)", luaL_typename(state, 1));
    luaL_traceback(state, state, message, 1);
    return 1;
}

int OpenLibraries(lua_State* state)
{
    const luaL_Reg libraries[] = {
        {"_G", luaopen_base},
        {LUA_LOADLIBNAME, luaopen_package},
        {LUA_COLIBNAME, luaopen_coroutine},
        {LUA_STRLIBNAME, luaopen_string},
        {LUA_TABLIBNAME, luaopen_table},
        {LUA_MATHLIBNAME, luaopen_math},
        {LUA_DBLIBNAME, luaopen_debug},
        {LUA_UTF8LIBNAME, luaopen_utf8},
    };
    for (const luaL_Reg& library : libraries) {
        luaL_requiref(state, library.name, library.func, 1);
        lua_pop(state, 1);
    }
    RestrictLoadingToText(state);
    return 0;
}

} // namespace

Script::Script(const std::string& fileName)
    : mHost(std::make_unique<ScriptHost>(kScriptFolder + fileName))
{
    mState = mHost->NewState();
    if (!mState) {
        Trace("Lua script \"" + GetPath() + "\": out of memory for a new Lua state", 4);
        return;
    }
    lua_sethook(mState, CountInstructions, LUA_MASKCOUNT, kHookInterval);
    mEnabled = true;
    if (!Protect(OpenLibraries, nullptr, "could not open the Lua libraries"))
        return;
    // Text only: crafted precompiled chunks can crash the virtual machine.
    if (luaL_loadfilex(mState, GetPath().c_str(), "t") != LUA_OK) {
        const char* message = lua_tostring(mState, -1);
        Fail("could not be loaded", message ? message : "");
        lua_pop(mState, 1);
        return;
    }
    CallProtected(0, "failed in its top-level code");
}

Script::~Script()
{
    if (mState) {
        mHost->SetClosing();
        lua_close(mState);
    }
    mHost->GetColliders().ReturnAll(GetPath());
}

const std::string& Script::GetPath() const
{
    return mHost->GetPath();
}

bool Script::Protect(lua_CFunction body, void* context, const std::string& what)
{
    if (!mEnabled)
        return false;
    lua_pushcfunction(mState, body);
    lua_pushlightuserdata(mState, context);
    return CallProtected(1, what);
}

bool Script::CallProtected(int argumentCount, const std::string& what)
{
    const int handler = lua_gettop(mState) - argumentCount;
    lua_pushcfunction(mState, AddTraceback);
    lua_insert(mState, handler);
    gHookTicksLeft = kInstructionBudget / kHookInterval;
    const int status = lua_pcall(mState, argumentCount, 0, handler);
    std::string message;
    if (status != LUA_OK) {
        const char* text = lua_tostring(mState, -1);
        message = text ? text : "";
        lua_pop(mState, 1);
    }
    lua_remove(mState, handler);
    // A script that caught the error of its overstep is switched off all the same.
    if (!mHost->GetOverstep().empty())
        message = mHost->GetOverstep() + (message.empty() ? "" : " (" + message + ")");
    if (status != LUA_OK || !mHost->GetOverstep().empty()) {
        Fail(what, message);
        return false;
    }
    return true;
}

void Script::Fail(const std::string& what, const std::string& message)
{
    Trace("Lua script \"" + GetPath() + "\" " + what + "; it is switched off. " + message, 4);
    mEnabled = false;
    mHost->GetColliders().ReturnAll(GetPath());
}
