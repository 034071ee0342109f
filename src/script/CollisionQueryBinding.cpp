#include "core/Trace.h"
#include "physics/ColliderPool.h"
#include "physics/CollisionQuery.h"
#include "script/ColliderLeases.h"
#include "script/LuaBind.h"
#include "script/PhysicsBinding.h"

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

int Take(lua_State* state)
{
    BoxCollider* collider = GetBoxCollider();
    if (!collider) {
        lua_pushnil(state);
        return 1;
    }
    LeaseCollider(state, *collider);
    lua::PushUnowned(state, collider);
    return 1;
}

int Free(lua_State* state)
{
    const lua_Integer id = luaL_checkinteger(state, 1);
    if (id < 0 || id >= kBoxColliderCount) {
        TraceFromScript(state, "FreeBoxCollider(%I): not a pool collider ID (0 to 999); ignored", id);
        return 0;
    }
    if (!EndColliderLease(state, static_cast<unsigned int>(id))) {
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
    lua::PushCopy(state, query ? RunBoxCollisionLua(query) : CollisionResult());
    return 1;
}

int NewResult(lua_State* state)
{
    if (lua_gettop(state) != 0)
        return luaL_error(state, "CollisionResult.new takes no arguments");
    lua::PushCopy(state, CollisionResult());
    return 1;
}

int GetBoxCollision(lua_State* state)
{
    CollisionResult& result = lua::Check<CollisionResult>(state, 1);
    const lua_Integer index = luaL_checkinteger(state, 2);
    if (index < 0 || index >= CollisionResult::kReachableHits) {
        lua_pushnil(state);
        return 1;
    }
    lua::PushUnowned(state, result.colliders[static_cast<std::size_t>(index)]);
    return 1;
}

int GetCollision(lua_State* state)
{
    lua_pushboolean(state, lua::Check<CollisionResult>(state, 1).collision);
    return 1;
}

int GetNumCollisions(lua_State* state)
{
    lua_pushinteger(state, lua::Check<CollisionResult>(state, 1).numCollisions);
    return 1;
}

int GetTotalMTV(lua_State* state)
{
    lua::PushCopy(state, lua::Check<CollisionResult>(state, 1).totalMTV);
    return 1;
}

int GetUpdatedPosition(lua_State* state)
{
    lua::PushCopy(state, lua::Check<CollisionResult>(state, 1).updatedPosition);
    return 1;
}

int SetCollision(lua_State* state)
{
    CollisionResult& result = lua::Check<CollisionResult>(state, 1);
    if (!lua_isboolean(state, 3))
        return lua::SetterTypeError(state, "boolean");
    result.collision = lua_toboolean(state, 3) != 0;
    return 0;
}

int SetNumCollisions(lua_State* state)
{
    CollisionResult& result = lua::Check<CollisionResult>(state, 1);
    if (!lua_isinteger(state, 3))
        return lua::SetterTypeError(state, "integer");
    result.numCollisions = lua::CheckInt32(state, 3);
    return 0;
}

int SetTotalMTV(lua_State* state)
{
    CollisionResult& result = lua::Check<CollisionResult>(state, 1);
    result.totalMTV = lua::CheckSetValue<glm::vec2>(state);
    return 0;
}

int SetUpdatedPosition(lua_State* state)
{
    CollisionResult& result = lua::Check<CollisionResult>(state, 1);
    result.updatedPosition = lua::CheckSetValue<glm::vec2>(state);
    return 0;
}

} // namespace

void BindCollisionQueries(lua_State* state)
{
    CreateColliderLeases(state);
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
    lua::RegisterType(state, {kLuaName<CollisionResult>, methods, getters, setters, NewResult,
                              lua::ReleaseHandle<CollisionResult>});
}
