#include "script/ScriptHost.h"

#include <cstdlib>
#include <lua.hpp>

ScriptHost::ScriptHost(std::string scriptPath)
    : mPath(std::move(scriptPath))
{
}

lua_State* ScriptHost::NewState()
{
    return lua_newstate(Allocate, this);
}

ScriptHost& ScriptHost::Of(lua_State* state)
{
    void* host = nullptr;
    lua_getallocf(state, &host);
    return *static_cast<ScriptHost*>(host);
}

void ScriptHost::ReportOverstep(std::string what)
{
    if (mOverstep.empty())
        mOverstep = std::move(what);
}

// Lua's allocator contract: a new size of 0 frees; a block that shrinks must
// not fail. `oldSize` is a size only when `block` is not null.
void* ScriptHost::Allocate(void* hostPointer, void* block, std::size_t oldSize, std::size_t newSize)
{
    auto& host = *static_cast<ScriptHost*>(hostPointer);
    const std::size_t held = block ? oldSize : 0;
    if (newSize == 0) {
        std::free(block);
        host.mMemoryUsed -= held;
        return nullptr;
    }
    if (newSize > held && host.mMemoryUsed - held + newSize > kMemoryBudget) {
        host.ReportOverstep("It asked for more memory than its budget of " + std::to_string(kMemoryBudget >> 20) +
                            " MiB");
        return nullptr;
    }
    void* resized = std::realloc(block, newSize);
    if (resized)
        host.mMemoryUsed = host.mMemoryUsed - held + newSize;
    return resized;
}
