#pragma once

#include <memory>
#include <string>

class ScriptHost;
struct lua_State;
typedef int (*lua_CFunction)(lua_State*);

// One Lua state running one script file from "assets/script/", with the
// libraries base, package, coroutine, string, table, math, debug and utf8.
//
// The file is loaded as text only: a precompiled chunk is refused, and so it
// is by the loaders the script itself may call (TextOnlyLoading.h). Every call
// into Lua is protected and has an instruction budget, and the state has a
// memory budget and a share of the collider pool (ScriptHost.h). A script
// error, an endless loop or a script that goes past either budget is traced
// with the file name and the reason, and the script is switched off; the game
// goes on without it. A script that is switched off or closed gives its pool
// colliders back.
//
// The libraries are those of trusted code: the debug library can still stop
// the instruction count, and a finalizer runs without it.
class Script {
public:
    // Loads and runs the file's top-level code.
    explicit Script(const std::string& fileName);
    // Closes the state, running its finalizers, then returns the colliders
    // it still holds.
    virtual ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    lua_State* GetState() const { return mState; }
    // "assets/script/" + the file name.
    const std::string& GetPath() const;
    ScriptHost& GetHost() { return *mHost; }
    // False once the script has failed; a failed script is never called again.
    bool IsEnabled() const { return mEnabled; }

    // VM instructions one call may run before it counts as an endless loop.
    static constexpr int kInstructionBudget = 50'000'000;

protected:
    // Runs `body` as a protected call, with `context` as its one (light
    // userdata) argument. On an error: traces "<what>: <Lua's message>",
    // switches the script off and returns false.
    bool Protect(lua_CFunction body, void* context, const std::string& what);

private:
    bool CallProtected(int argumentCount, const std::string& what);
    void Fail(const std::string& what, const std::string& message);

    std::unique_ptr<ScriptHost> mHost;
    lua_State* mState = nullptr;
    bool mEnabled = false;
};
