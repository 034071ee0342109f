#pragma once

#include "script/ColliderLeases.h"

#include <cstddef>
#include <string>

struct lua_State;

namespace fb {
class Entity;
}

// What the engine keeps for one script's Lua state outside the state's own
// memory, so that it outlives the state's closing: the memory budget the
// state allocates from, the pool colliders it holds, the entity it runs for,
// and whether it is closing. Found from the state itself.
class ScriptHost {
public:
    // The most memory one script's state may hold at a time.
    static constexpr std::size_t kMemoryBudget = std::size_t{8} << 20;

    explicit ScriptHost(std::string scriptPath);
    ScriptHost(const ScriptHost&) = delete;
    ScriptHost& operator=(const ScriptHost&) = delete;

    // A new state allocating from this host's budget; null if that fails.
    // The host must outlive it.
    lua_State* NewState();
    // The host of a state made by NewState.
    static ScriptHost& Of(lua_State* state);

    const std::string& GetPath() const { return mPath; }
    std::size_t GetMemoryUsed() const { return mMemoryUsed; }
    ColliderLeases& GetColliders() { return mColliders; }

    // The entity whose behaviour the script is; null for none.
    fb::Entity* GetOwner() const { return mOwner; }
    void SetOwner(fb::Entity* owner) { mOwner = owner; }

    // Set while the state closes and its finalizers run.
    bool IsClosing() const { return mClosing; }
    void SetClosing() { mClosing = true; }

    // Why the script must be switched off even if it caught the error it was
    // given: it asked for more than its memory budget or its collider share.
    // Empty while it keeps within both.
    const std::string& GetOverstep() const { return mOverstep; }
    void ReportOverstep(std::string what);

private:
    static void* Allocate(void* host, void* block, std::size_t oldSize, std::size_t newSize);

    std::string mPath;
    std::size_t mMemoryUsed = 0;
    ColliderLeases mColliders;
    fb::Entity* mOwner = nullptr;
    bool mClosing = false;
    std::string mOverstep;
};
