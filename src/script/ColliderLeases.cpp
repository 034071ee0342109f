#include "script/ColliderLeases.h"

#include "core/Trace.h"
#include "physics/ColliderPool.h"

#include <bitset>
#include <lua.hpp>
#include <new>

namespace {

using Leases = std::bitset<kBoxColliderCount>;

// Its address is the registry key.
const char kLeasesKey = 0;

Leases* FindLeases(lua_State* state)
{
    lua_rawgetp(state, LUA_REGISTRYINDEX, &kLeasesKey);
    auto* leases = static_cast<Leases*>(lua_touserdata(state, -1));
    lua_pop(state, 1);
    return leases;
}

} // namespace

void CreateColliderLeases(lua_State* state)
{
    new (lua_newuserdata(state, sizeof(Leases))) Leases();
    lua_rawsetp(state, LUA_REGISTRYINDEX, &kLeasesKey);
}

void LeaseCollider(lua_State* state, const fb::BoxCollider& collider)
{
    if (Leases* leases = FindLeases(state))
        leases->set(collider.GetID());
}

bool EndColliderLease(lua_State* state, unsigned int id)
{
    Leases* leases = FindLeases(state);
    if (!leases || id >= kBoxColliderCount || !leases->test(id))
        return false;
    leases->reset(id);
    return true;
}

void ReturnLeasedColliders(lua_State* state, const std::string& scriptPath)
{
    Leases* leases = state ? FindLeases(state) : nullptr;
    if (!leases || leases->none())
        return;
    Trace("Lua script \"" + scriptPath + "\" ended holding " + std::to_string(leases->count()) +
              " pool collider(s); they go back to the pool now",
          3);
    for (unsigned int id = 0; id < kBoxColliderCount; ++id) {
        if (leases->test(id))
            FreeBoxCollider(id);
    }
    leases->reset();
}
