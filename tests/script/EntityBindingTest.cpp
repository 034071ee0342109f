#include "ScriptTest.h"

#include "physics/AdvancedBody.h"

namespace {

class EntityBindingTest : public ScriptTest {};

TEST_F(EntityBindingTest, MethodsReachTheEngineEntity)
{
    auto entity = Probe("crate");
    EXPECT_EQ(Lua(entity, "return self:GetName()"), "crate");
    EXPECT_EQ(Lua(entity, "return self:GetID()"), std::to_string(entity->GetID()));
    EXPECT_EQ(Lua(entity, "return math.type(self:GetID())"), "integer");
    EXPECT_EQ(Lua(entity, "return self:GetParent()"), "nil");
    EXPECT_EQ(Lua(entity, "return self:GetBody()"), "nil");

    Lua(entity, "self:GetTransform():SetPosition(4, 5)");
    EXPECT_EQ(entity->GetComponent<fb::cmp::Transform>()->GetPosition(), glm::vec2(4.0f, 5.0f));

    entity->AddComponent(std::make_shared<fb::cmp::AdvancedBody>(fb::CollisionLayer(4, 2)));
    entity->GetComponent<fb::cmp::AdvancedBody>()->SetVelocity({1.5f, 0.0f});
    EXPECT_EQ(Lua(entity, "return self:GetBody():GetVelocity().x"), "1.5");

    entity->RemoveComponent<fb::cmp::Transform>();
    EXPECT_EQ(Lua(entity, "return self:GetTransform()"), "nil");
}

TEST_F(EntityBindingTest, ScriptsCannotMakeEntitiesAndWrongSelvesAreErrors)
{
    auto entity = Probe();
    EXPECT_EQ(Lua(entity, "return Entity.new"), "nil");
    EXPECT_TRUE(Contains(Lua(entity, "return self.GetName(5)"), "Entity expected, got number"));
    EXPECT_TRUE(Contains(Lua(entity, "return self.GetName(Transform.new())"), "Entity expected, got Transform"));
    EXPECT_TRUE(Contains(Lua(entity, "self.name = 'x'"), "Entity has no member 'name' that can be set"));
    EXPECT_EQ(Lua(entity, "return getmetatable(self)"), "Entity");
    EXPECT_TRUE(Contains(Lua(entity, "setmetatable(self, {})"), "bad argument #1 to 'setmetatable'"));
}

TEST_F(EntityBindingTest, GetParentGivesTheParentAndQueuesAnOrphan)
{
    auto parent = Probe("parent");
    auto child = Probe("child");
    child->SetParent(parent);
    EntityManager::Add(child);
    EXPECT_EQ(Lua(child, "return self:GetParent():GetName()"), "parent");


    // The parent lives on while the child's script still refers to it.
    std::weak_ptr<fb::Entity> parentWatch = parent;
    parent.reset();
    EXPECT_FALSE(parentWatch.expired());
    Lua(child, "collectgarbage()");
    ReleaseCollectedEntities();
    EXPECT_TRUE(parentWatch.expired());
    EXPECT_EQ(Lua(child, "return self:GetParent()"), "nil");
    EXPECT_TRUE(Contains(Lua(child, "return tostring(self)"), "Entity: 0x"));
    std::weak_ptr<fb::Entity> watch = child;
    child.reset();
    EntityManager::Update();
    EXPECT_TRUE(watch.expired());
}

TEST_F(EntityBindingTest, AnEntityRemovedWhileAScriptHoldsItLivesUntilTheScriptLetsGo)
{
    auto held = Probe("held");
    std::shared_ptr<fb::cmp::Transform> heldTransform = held->GetComponent<fb::cmp::Transform>();
    Lua(held, "function exit(e) e:GetTransform():SetPosition(-1, -1) end");
    auto keeper = Scripted(kScripts + "keeper.lua", "keeper");
    keeper->SetParent(held);
    EntityManager::Add(held);
    EntityManager::Add(keeper);
    EntityManager::Update();

    std::weak_ptr<fb::Entity> watch = held;
    EntityManager::Remove(held);
    held.reset();
    EntityManager::Update();
    ASSERT_FALSE(watch.expired());
    EXPECT_EQ(Lua(keeper, "return kept:GetName()"), "held");
    EXPECT_EQ(Lua(keeper, "kept:GetTransform():SetPosition(3, 3) return kept:GetTransform():GetPosition().x"), "3.0");

    // Collected inside the script's update, but destroyed only afterwards,
    // outside Lua, where its own exit can run.
    Lua(keeper, "letGo = true");
    keeper->Update();
    EXPECT_FALSE(watch.expired());
    ReleaseCollectedEntities();
    EXPECT_TRUE(watch.expired());
    EXPECT_EQ(heldTransform->GetLocalPosition(), glm::vec2(-1.0f, -1.0f));
}

} // namespace
