#include "physics/AdvancedBody.h"
#include "script/LuaBind.h"
#include "script/PhysicsBinding.h"

using fb::cmp::AdvancedBody;

namespace {

int SetVelocity(lua_State* state)
{
    AdvancedBody& body = lua::Check<AdvancedBody>(state, 1);
    body.SetVelocity(lua::Check<glm::vec2>(state, 2));
    return 0;
}

int GetVelocity(lua_State* state)
{
    lua::PushCopy(state, lua::Check<AdvancedBody>(state, 1).GetVelocity());
    return 1;
}

int SetVelocityProperty(lua_State* state)
{
    AdvancedBody& body = lua::Check<AdvancedBody>(state, 1);
    body.SetVelocity(lua::CheckSetValue<glm::vec2>(state));
    return 0;
}

int GetAcceleration(lua_State* state)
{
    lua::PushCopy(state, lua::Check<AdvancedBody>(state, 1).GetAcceleration());
    return 1;
}

int SetAcceleration(lua_State* state)
{
    AdvancedBody& body = lua::Check<AdvancedBody>(state, 1);
    body.SetAcceleration(lua::CheckSetValue<glm::vec2>(state));
    return 0;
}

int CreateDetectorSet(lua_State* state)
{
    AdvancedBody& body = lua::Check<AdvancedBody>(state, 1);
    body.CreateDetectorSet(lua::CheckInt32(state, 2));
    return 0;
}

// A detector outside 0 to 6, or a set that was never made, finds nothing.
int RunDetection(lua_State* state)
{
    AdvancedBody& body = lua::Check<AdvancedBody>(state, 1);
    const std::int32_t key = lua::CheckInt32(state, 2);
    const std::int32_t detector = lua::CheckInt32(state, 3);
    PushCollisionResult(state, body.RunDetection(key, detector));
    return 1;
}

int CollisionDetected(lua_State* state)
{
    AdvancedBody& body = lua::Check<AdvancedBody>(state, 1);
    const std::int32_t key = lua::CheckInt32(state, 2);
    const std::int32_t detector = lua::CheckInt32(state, 3);
    lua_pushboolean(state, body.CollisionDetected(key, detector));
    return 1;
}

} // namespace

void BindAdvancedBody(lua_State* state)
{
    static const luaL_Reg methods[] = {
        {"SetVelocity", SetVelocity},
        {"GetVelocity", GetVelocity},
        {"CreateDetectorSet", CreateDetectorSet},
        {"RunDetection", RunDetection},
        {"CollisionDetected", CollisionDetected},
        {nullptr, nullptr},
    };
    static const luaL_Reg getters[] = {{"velocity", GetVelocity}, {"acceleration", GetAcceleration}, {nullptr, nullptr}};
    static const luaL_Reg setters[] = {
        {"velocity", SetVelocityProperty},
        {"acceleration", SetAcceleration},
        {nullptr, nullptr},
    };
    lua::RegisterType(state,
                      {kLuaName<AdvancedBody>, methods, getters, setters, nullptr});

    static const lua::NamedInteger detectors[] = {
        {"body", AdvancedBody::Body},
        {"top", AdvancedBody::Top},
        {"bottom", AdvancedBody::Bottom},
        {"left", AdvancedBody::Left},
        {"right", AdvancedBody::Right},
        {"foot_left", AdvancedBody::FootLeft},
        {"foot_right", AdvancedBody::FootRight},
        {"adv_detector_max", AdvancedBody::DetectorCount},
    };
    lua::RegisterIntegers(state, "Detector", detectors);
}
