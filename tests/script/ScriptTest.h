#pragma once

#include "core/Entity.h"
#include "support/EngineWorldTest.h"
#include "core/EntityManager.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "physics/ColliderPool.h"
#include "script/EntityBinding.h"
#include "script/LuaBind.h"
#include "script/ScriptBehavior.h"

#include <gtest/gtest.h>
#include <lua.hpp>
#include <memory>
#include <string>
#include <vector>

// The script tests' world: scripted entities and a look into Lua states.
class ScriptTest : public EngineWorldTest {
protected:
    // Script files are named relative to "assets/script/".
    static inline const std::string kScripts = "../../tests/data/script/";
    static inline const std::string kArchetypes = "../../tests/data/script/";

    void TearDown() override
    {
        EntityManager::Clear();
        ReleaseCollectedEntities();
        EngineWorldTest::TearDown();
    }

    // An entity with a Transform at `position` running `script`.
    static std::shared_ptr<fb::Entity> Scripted(const std::string& script, const std::string& name = "scripted",
                                                glm::vec2 position = {0.0f, 0.0f}, glm::vec2 scale = {1.0f, 1.0f})
    {
        auto entity = std::make_shared<fb::Entity>(name);
        entity->AddComponent(std::make_shared<fb::cmp::Transform>(position, scale, 0.0f));
        entity->AddBehavior(script);
        return entity;
    }

    static std::shared_ptr<fb::Entity> Probe(const std::string& name = "probe", glm::vec2 position = {0.0f, 0.0f},
                                             glm::vec2 scale = {1.0f, 1.0f})
    {
        return Scripted(kScripts + "probe.lua", name, position, scale);
    }

    // Runs `code` in the entity's script state with the entity as `self` and
    // gives tostring of its first result, or "error: " and the message.
    static std::string Lua(const std::shared_ptr<fb::Entity>& entity, const std::string& code)
    {
        lua_State* state = entity->GetBehavior()->GetState();
        const std::string chunk = "local self = ...\n" + code;
        std::string out;
        if (luaL_loadbufferx(state, chunk.data(), chunk.size(), "=snippet", "t") != LUA_OK) {
            out = std::string("error: ") + lua_tostring(state, -1);
            lua_pop(state, 1);
            return out;
        }
        // As the behaviour does: the state does not own its entity.
        lua::PushUnowned(state, entity.get());
        if (lua_pcall(state, 1, 1, 0) != LUA_OK) {
            out = std::string("error: ") + lua_tostring(state, -1);
            lua_pop(state, 1);
            return out;
        }
        out = luaL_tolstring(state, -1, nullptr);
        lua_pop(state, 2);
        return out;
    }


    // A pool collider over a live entity's quad, at `position` with scale 1.
    fb::BoxCollider* Solid(glm::vec2 position, fb::CollisionLayer layer)
    {
        auto entity = std::make_shared<fb::Entity>("solid");
        entity->AddComponent(std::make_shared<fb::cmp::Transform>(position, glm::vec2(1.0f, 1.0f), 0.0f));
        mSolids.push_back(entity);
        fb::BoxCollider* collider = GetBoxCollider();
        collider->SetParent(entity);
        collider->SetBound(true);
        collider->SetLayer(layer);
        return collider;
    }

    static bool InUse(unsigned int id)
    {
        for (const fb::BoxCollider* collider : GetActiveBoxColliders()) {
            if (collider->GetID() == id)
                return true;
        }
        return false;
    }

    std::vector<std::shared_ptr<fb::Entity>> mSolids;
};

// True when `text` contains `part`, for readable message checks.
inline ::testing::AssertionResult Contains(const std::string& text, const std::string& part)
{
    if (text.find(part) != std::string::npos)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << '"' << text << "\" does not contain \"" << part << '"';
}
