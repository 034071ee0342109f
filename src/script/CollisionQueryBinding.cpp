#include "core/Trace.h"
#include "physics/ColliderPool.h"
#include "physics/CollisionQuery.h"
#include "script/LuaBind.h"
#include "script/PhysicsBinding.h"
#include "script/ScriptHost.h"

#include <string>

using fb::BoxCollider;
using fb::CollisionResult;

namespace {

// Traces a script's misuse with the line it came from.
void TraceFromScript(lua_State* state, const char* format, lua_Integer value)
{
    luaL_where(state, 1);
    const char* where = lua_tostring(state, -1);
    const char* message = lua_pushfstring(state, format, value);
    Trace(std::string(where) + message, 3);
    lua_pop(state, 2);
}

// Past its share the script is switched off, even if it catches the error.
int Take(lua_State* state)
{
    lua::RefuseWhileClosing(state);
    ScriptHost& host = ScriptHost::Of(state);
    if (host.GetColliders().IsFull()) {
        // The message is made twice: a C++ string must be gone before the
        // Lua error unwinds past this frame.
        host.ReportOverstep("It took more than its share of " + std::to_string(ColliderLeases::kShare) +
                            " pool colliders");
        return luaL_error(state, "It took more than its share of %d pool colliders",
                          static_cast<int>(ColliderLeases::kShare));
    }
    BoxCollider* collider = GetBoxCollider();
    if (!collider) {
        lua_pushnil(state);
        return 1;
    }
    host.GetColliders().Lease(*collider);
    lua::PushPooled(state, collider, BoxColliderGeneration(collider->GetID()));
    return 1;
}

int Free(lua_State* state)
{
    const lua_Integer id = luaL_checkinteger(state, 1);
    if (id < 0 || id >= kBoxColliderCount) {
        TraceFromScript(state, "FreeBoxCollider(%I): not a pool collider ID (0 to 999); ignored", id);
        return 0;
    }
    if (!ScriptHost::Of(state).GetColliders().End(static_cast<unsigned int>(id))) {
        TraceFromScript(state,
                        "FreeBoxCollider(%I): this script does not hold that collider (freed twice, or "
                        "not taken with GetBoxCollider); ignored",
                        id);
        return 0;
    }
    FreeBoxCollider(static_cast<unsigned int>(id));
    return 0;
}

int Run(lua_State* state)
{
    BoxCollider* query = lua::CheckOptional<BoxCollider>(state, 1);
    PushCollisionResult(state, query ? RunBoxCollisionLua(query) : CollisionResult());
    return 1;
}

int NewResult(lua_State* state)
{
    if (lua_gettop(state) != 0)
        return luaL_error(state, "CollisionResult.new takes no arguments");
    PushCollisionResult(state, CollisionResult());
    return 1;
}

// Nil outside 0 to 4, for an empty slot, and for a collider that has gone
// back to the pool since the result was made.
int GetBoxCollision(lua_State* state)
{
    ScriptCollisionResult& result = lua::Check<ScriptCollisionResult>(state, 1);
    const lua_Integer index = luaL_checkinteger(state, 2);
    if (index < 0 || index >= CollisionResult::kReachableHits) {
        lua_pushnil(state);
        return 1;
    }
    const auto slot = static_cast<std::size_t>(index);
    BoxCollider* collider = result.colliders[slot];
    if (!collider || BoxColliderGeneration(collider->GetID()) != result.generations[slot]) {
        lua_pushnil(state);
        return 1;
    }
    lua::PushPooled(state, collider, BoxColliderGeneration(collider->GetID()));
    return 1;
}

int GetCollision(lua_State* state)
{
    lua_pushboolean(state, lua::Check<ScriptCollisionResult>(state, 1).collision);
    return 1;
}

int GetNumCollisions(lua_State* state)
{
    lua_pushinteger(state, lua::Check<ScriptCollisionResult>(state, 1).numCollisions);
    return 1;
}

int GetTotalMTV(lua_State* state)
{
    lua::PushCopy(state, lua::Check<ScriptCollisionResult>(state, 1).totalMTV);
    return 1;
}

int GetUpdatedPosition(lua_State* state)
{
    lua::PushCopy(state, lua::Check<ScriptCollisionResult>(state, 1).updatedPosition);
    return 1;
}

int SetCollision(lua_State* state)
{
    ScriptCollisionResult& result = lua::Check<ScriptCollisionResult>(state, 1);
    if (!lua_isboolean(state, 3))
        return lua::SetterTypeError(state, "boolean");
    result.collision = lua_toboolean(state, 3) != 0;
    return 0;
}

int SetNumCollisions(lua_State* state)
{
    ScriptCollisionResult& result = lua::Check<ScriptCollisionResult>(state, 1);
    if (!lua_isinteger(state, 3))
        return lua::SetterTypeError(state, "integer");
    result.numCollisions = lua::CheckInt32(state, 3);
    return 0;
}

int SetTotalMTV(lua_State* state)
{
    ScriptCollisionResult& result = lua::Check<ScriptCollisionResult>(state, 1);
    result.totalMTV = lua::CheckSetValue<glm::vec2>(state);
    return 0;
}

int SetUpdatedPosition(lua_State* state)
{
    ScriptCollisionResult& result = lua::Check<ScriptCollisionResult>(state, 1);
    result.updatedPosition = lua::CheckSetValue<glm::vec2>(state);
    return 0;
}

} // namespace

void PushCollisionResult(lua_State* state, const CollisionResult& result)
{
    auto held = std::make_shared<ScriptCollisionResult>();
    static_cast<CollisionResult&>(*held) = result;
    for (std::size_t i = 0; i < held->generations.size(); ++i) {
        if (const BoxCollider* collider = result.colliders[i])
            held->generations[i] = BoxColliderGeneration(collider->GetID());
    }
    lua::PushShared(state, std::move(held));
}

void BindCollisionQueries(lua_State* state)
{
    lua_register(state, "GetBoxCollider", Take);
    lua_register(state, "FreeBoxCollider", Free);
    lua_register(state, "RunBoxCollision", Run);

    static const luaL_Reg methods[] = {{"GetBoxCollision", GetBoxCollision}, {nullptr, nullptr}};
    static const luaL_Reg getters[] = {
        {"collision", GetCollision},
        {"numCollisions", GetNumCollisions},
        {"totalMTV", GetTotalMTV},
        {"updatedPosition", GetUpdatedPosition},
        {nullptr, nullptr},
    };
    static const luaL_Reg setters[] = {
        {"collision", SetCollision},
        {"numCollisions", SetNumCollisions},
        {"totalMTV", SetTotalMTV},
        {"updatedPosition", SetUpdatedPosition},
        {nullptr, nullptr},
    };
    lua::RegisterType(state, {kLuaName<ScriptCollisionResult>, methods, getters, setters, NewResult});
}
