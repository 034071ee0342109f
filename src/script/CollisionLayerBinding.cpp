#include "physics/CollisionLayer.h"
#include "script/LuaBind.h"
#include "script/PhysicsBinding.h"

using fb::CollisionLayer;

namespace {

// new() is layer 1 with mask 0; new(layer, mask) takes two integers.
int NewLayer(lua_State* state)
{
    const int count = lua_gettop(state);
    if (count == 0) {
        lua::PushCopy(state, CollisionLayer());
        return 1;
    }
    if (count != 2)
        return luaL_error(state, "CollisionLayer.new takes no arguments or (layer, mask)");
    const std::int32_t layer = lua::CheckInt32(state, 1);
    const std::int32_t mask = lua::CheckInt32(state, 2);
    lua::PushCopy(state, CollisionLayer(layer, mask));
    return 1;
}

} // namespace

void BindCollisionLayer(lua_State* state)
{
    lua::RegisterType(
        state, {kLuaName<CollisionLayer>, nullptr, nullptr, nullptr, NewLayer});

    static const lua::NamedInteger layers[] = {
        {"base", 1}, {"world", 2}, {"team1", 4}, {"team2", 8}, {"goal", 16}, {"misc", 32}, {"slime", 64},
    };
    lua::RegisterIntegers(state, "Layer", layers);
}
