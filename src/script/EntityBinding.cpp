#include "script/EntityBinding.h"

#include "core/Entity.h"
#include "core/Transform.h"
#include "physics/AdvancedBody.h"
#include "script/LuaBind.h"
#include "script/ScriptHost.h"

#include <vector>

namespace {

using Collected = std::vector<std::shared_ptr<fb::Entity>>;

Collected& CollectedEntities()
{
    static Collected* collected = new Collected();
    return *collected;
}

int GetName(lua_State* state)
{
    fb::Entity& entity = lua::Check<fb::Entity>(state, 1);
    lua_pushlstring(state, entity.GetName().data(), entity.GetName().size());
    return 1;
}

int GetID(lua_State* state)
{
    lua_pushinteger(state, lua::Check<fb::Entity>(state, 1).GetID());
    return 1;
}

int GetParent(lua_State* state)
{
    fb::Entity& entity = lua::Check<fb::Entity>(state, 1);
    PushEntity(state, entity.GetParent());
    return 1;
}

int GetTransform(lua_State* state)
{
    fb::Entity& entity = lua::Check<fb::Entity>(state, 1);
    lua::PushShared(state, entity.GetComponent<fb::cmp::Transform>());
    return 1;
}

int GetBody(lua_State* state)
{
    fb::Entity& entity = lua::Check<fb::Entity>(state, 1);
    lua::PushShared(state, entity.GetComponent<fb::cmp::AdvancedBody>());
    return 1;
}

void RegisterEntity(lua_State* state)
{
    static const luaL_Reg methods[] = {
        {"GetName", GetName},
        {"GetParent", GetParent},
        {"GetTransform", GetTransform},
        {"GetBody", GetBody},
        {"GetID", GetID},
        {nullptr, nullptr},
    };
    lua::RegisterType(state, {kLuaName<fb::Entity>, methods, nullptr, nullptr, nullptr});
}

} // namespace

template <>
void lua::ReleaseBox<fb::Entity>(void* box)
{
    lua::Handle<fb::Entity>& handle = static_cast<lua::Box<fb::Entity>*>(box)->handle;
    // A handle that does not own its entity has nothing to release.
    if (handle.use_count() > 0)
        CollectedEntities().push_back(std::move(handle));
    handle.reset();
}

void PushEntity(lua_State* state, std::shared_ptr<fb::Entity> entity)
{
    if (entity && entity.get() == ScriptHost::Of(state).GetOwner()) {
        // Let go first: a Lua error in the push skips this frame's destructors.
        fb::Entity* own = entity.get();
        entity.reset();
        lua::PushUnowned(state, own);
        return;
    }
    lua::PushShared(state, std::move(entity));
}

void ReleaseCollectedEntities()
{
    // Releasing one entity can close a state that held others.
    while (!CollectedEntities().empty()) {
        Collected released;
        released.swap(CollectedEntities());
    }
}

void fb::Entity::BindLua(lua_State* state)
{
    RegisterEntity(state);
}
