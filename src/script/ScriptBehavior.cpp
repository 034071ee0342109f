#include "script/ScriptBehavior.h"

#include "core/Entity.h"
#include "core/Transform.h"
#include "script/LuaBind.h"
#include "script/PhysicsBinding.h"
#include "script/ScriptHost.h"

#include <lua.hpp>

namespace {

// Its address is the registry key of the owner's handle.
const char kOwnerKey = 0;

struct Call {
    const char* function;
    bool passDt;
    lua_Number dt;
};

int RegisterBindings(lua_State* state)
{
    fb::Entity::BindLua(state);
    fb::cmp::Transform::BindLua(state);
    BindCollisionQueries(state);
    BindBoxCollider(state);
    BindCollisionLayer(state);
    BindAdvancedBody(state);
    lua::PushUnowned(state, ScriptHost::Of(state).GetOwner());
    lua_rawsetp(state, LUA_REGISTRYINDEX, &kOwnerKey);
    return 0;
}

int RunCall(lua_State* state)
{
    const auto& call = *static_cast<const Call*>(lua_touserdata(state, 1));
    if (lua_getglobal(state, call.function) != LUA_TFUNCTION)
        return luaL_error(state, "there is no global function \"%s\"", call.function);
    lua_rawgetp(state, LUA_REGISTRYINDEX, &kOwnerKey);
    if (call.passDt)
        lua_pushnumber(state, call.dt);
    lua_call(state, call.passDt ? 2 : 1, 0);
    return 0;
}

} // namespace

ScriptBehavior::ScriptBehavior(std::weak_ptr<fb::Entity> owner, const std::string& fileName)
    : Script(fileName)
    , mOwner(owner.lock().get())
{
    GetHost().SetOwner(mOwner);
    Protect(RegisterBindings, nullptr, "could not set up its bindings");
}

void ScriptBehavior::CallGlobal(const char* function, const float* dt)
{
    if (!mOwner)
        return;
    Call call{function, dt != nullptr, dt ? *dt : 0.0};
    Protect(RunCall, &call, std::string("failed in \"") + function + "\"");
}

void ScriptBehavior::CallInit()
{
    CallGlobal("init", nullptr);
}

void ScriptBehavior::CallUpdate(float dt)
{
    CallGlobal("update", &dt);
}

void ScriptBehavior::CallExit()
{
    CallGlobal("exit", nullptr);
}
