#include "ScriptTest.h"

#include "script/ScriptHost.h"

#include <map>

namespace {

// Scripts that try to break out of their bindings or to take more than their
// share. Each is refused or switched off, and the game goes on.
class HostileScriptTest : public ScriptTest {};

TEST_F(HostileScriptTest, EveryWayOutOfTheBindingsIsRefused)
{
    auto entity = Scripted(kScripts + "escapes.lua");
    entity->Update();
    entity->Update();
    ASSERT_TRUE(entity->GetBehavior()->IsEnabled()) << (mTraces.empty() ? "" : mTraces.back());

    const std::map<std::string, std::string> outcomes = {
        {"vec2 dressed as an Entity", "Entity expected, got vec2"},
        {"layer dressed as a collider", "BoxCollider expected, got CollisionLayer"},
        {"registry key as an Entity", "Entity expected, got userdata"},
        {"finalizer called by hand", "this Transform has been released"},
        {"finalizer of another type", "this vec2 has been released"},
        {"base setmetatable", "table expected, got vec2"},
        {"raw loader behind load", "allowed: nil"},
        {"binary chunk", "allowed: attempt to load a binary chunk"},
        {"native library", "attempt to call a nil value (field 'loadlib')"},
        {"native module", "module 'lpeg' not found"},
    };
    for (const auto& [attempt, outcome] : outcomes)
        EXPECT_TRUE(Contains(Lua(entity, "return outcome['" + attempt + "']"), outcome)) << attempt;
    EXPECT_EQ(Lua(entity, "return #package.searchers"), "2");
    EXPECT_EQ(Lua(entity, "return updates"), "2");
}

TEST_F(HostileScriptTest, AScriptPastItsMemoryBudgetIsSwitchedOffThoughItCaughtTheError)
{
    auto hog = Scripted(kScripts + "memory_hog.lua", "hog");
    auto neighbour = Scripted(kScripts + "counter.lua", "neighbour");
    for (int frame = 0; frame < 3; ++frame) {
        hog->Update();
        neighbour->Update();
    }
    EXPECT_FALSE(hog->GetBehavior()->IsEnabled());
    EXPECT_TRUE(Traced("memory_hog.lua\" failed in \"update\"; it is switched off. It asked for more memory than "
                       "its budget of 8 MiB"));
    EXPECT_LE(hog->GetBehavior()->GetHost().GetMemoryUsed(), ScriptHost::kMemoryBudget);
    EXPECT_EQ(Lua(hog, "return tostring(caught) .. afterwards"), "true1");
    EXPECT_EQ(Lua(neighbour, "return count"), "3");
}

TEST_F(HostileScriptTest, AScriptPastItsColliderShareIsSwitchedOffAndGivesThemBack)
{
    auto hog = Scripted(kScripts + "collider_hog.lua");
    hog->Update();
    hog->Update();
    EXPECT_FALSE(hog->GetBehavior()->IsEnabled());
    EXPECT_TRUE(Traced("collider_hog.lua\" failed in \"init\"; it is switched off. It took more than its share of " +
                       std::to_string(ColliderLeases::kShare) + " pool colliders"));
    EXPECT_TRUE(Traced("ended holding " + std::to_string(ColliderLeases::kShare) + " pool collider(s)"));
    EXPECT_TRUE(GetActiveBoxColliders().empty());
    EXPECT_EQ(Lua(hog, "return tostring(caught) .. tostring(updated)"), "truenil");

    // Others still get colliders, and the hog's old handles do not reach them.
    auto other = Probe();
    EXPECT_EQ(Lua(other, "return GetBoxCollider():GetID()"), "0");
    EXPECT_TRUE(Contains(Lua(hog, "return hoard[1]:GetID()"), "this BoxCollider has gone back to the pool"));
}

TEST_F(HostileScriptTest, AFreedColliderHandleNeverReachesTheRecordsNextOwner)
{
    fb::BoxCollider* wall = Solid({1.0f, 0.0f}, fb::CollisionLayer(2, 1));
    auto entity = Probe("probe", {0.5f, 0.0f});
    ASSERT_EQ(Lua(entity, "c = GetBoxCollider() c.parent = self c.layer = CollisionLayer.new(4, Layer.world) "
                          "r = RunBoxCollision(c) hit = r:GetBoxCollision(0) return hit:GetID() .. c:GetID()"),
              "01");
    Lua(entity, "FreeBoxCollider(c:GetID())");
    FreeBoxCollider(wall->GetID());

    // Both records go to new owners, which the old handles must not touch.
    fb::BoxCollider* first = GetBoxCollider();
    fb::BoxCollider* second = GetBoxCollider();
    ASSERT_EQ(first->GetID() + second->GetID(), 1u);
    for (const char* use : {"c.layer = CollisionLayer.new(8, 8)", "c:SetBound(false)", "return c:GetID()",
                            "return hit.center", "hit.parent = self", "return RunBoxCollision(c)"})
        EXPECT_TRUE(Contains(Lua(entity, use), "has gone back to the pool")) << use;
    EXPECT_EQ(Lua(entity, "return r:GetBoxCollision(0)"), "nil");
    Lua(entity, "FreeBoxCollider(1)");
    EXPECT_TRUE(Traced("FreeBoxCollider(1): this script does not hold that collider"));
    for (const fb::BoxCollider* record : {first, second}) {
        EXPECT_TRUE(record->IsInUse());
        EXPECT_TRUE(record->IsBound());
        EXPECT_TRUE(record->GetParent().expired());
    }
}

TEST_F(HostileScriptTest, AScriptNeverOwnsItsOwnEntityThroughAColliderParent)
{
    auto entity = Scripted(kScripts + "self_keeper.lua", "keeper");
    entity->Update();
    EXPECT_EQ(Lua(entity, "return me:GetName()"), "keeper");
    std::weak_ptr<fb::Entity> watch = entity;
    entity.reset();
    EXPECT_TRUE(watch.expired());
    EXPECT_TRUE(GetActiveBoxColliders().empty());
}

TEST_F(HostileScriptTest, WhatFinalizersHoldGoesBackWhenTheStateCloses)
{
    auto parent = Probe("parent");
    auto child = Scripted(kScripts + "closing_grabber.lua", "child");
    child->SetParent(parent);
    child->Update();
    ASSERT_EQ(GetActiveBoxColliders().size(), 1u);
    std::weak_ptr<fb::Entity> parentWatch = parent;
    parent.reset();
    ASSERT_FALSE(parentWatch.expired());

    // The finalizer's own grabs at closing time are refused.
    child.reset();
    ReleaseCollectedEntities();
    EXPECT_TRUE(parentWatch.expired());
    EXPECT_TRUE(GetActiveBoxColliders().empty());
}

} // namespace
