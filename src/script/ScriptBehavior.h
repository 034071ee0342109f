#pragma once

#include <memory>
#include <string>

struct lua_State;

namespace fb {
class Entity;
}

// One Lua state running one script file from "assets/script/". Scripts are
// loaded as text only; errors are traced with the file name and Lua's
// message, and a failed script is disabled instead of ending the game.
class Script {
public:
    explicit Script(const std::string& fileName);
    virtual ~Script();
    Script(const Script&) = delete;
    Script& operator=(const Script&) = delete;

    lua_State* GetState() const { return mState; }
    const std::string& GetFileName() const { return mFileName; }
    bool IsEnabled() const { return mEnabled; }

protected:
    // Calls a global function with the arguments already pushed; false and
    // disabled on error.
    bool CallGlobal(const char* function, int argumentCount);
    void Fail(const std::string& what);

private:
    lua_State* mState = nullptr;
    std::string mFileName;
    bool mEnabled = false;
};

// The script behaviour of an entity: its "init", "update" and "exit".
class ScriptBehavior : public Script {
public:
    ScriptBehavior(std::weak_ptr<fb::Entity> owner, const std::string& fileName);

    void CallInit();
    void CallUpdate(float dt);
    void CallExit();

private:
    bool PushOwner();

    std::weak_ptr<fb::Entity> mOwner;
};
