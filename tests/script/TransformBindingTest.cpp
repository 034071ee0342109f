#include "ScriptTest.h"

namespace {

class TransformBindingTest : public ScriptTest {};

TEST_F(TransformBindingTest, PositionIsTheWorldPositionAndSetsTheLocalOne)
{
    auto parent = Probe("parent", {10.0f, 0.0f}, {0.5f, 2.0f});
    parent->GetComponent<fb::cmp::Transform>()->SetRotation(1.0f);
    auto child = Probe("child", {1.0f, 2.0f}, {2.0f, 3.0f});
    child->SetParent(parent);

    EXPECT_EQ(Lua(child, "local p = self:GetTransform():GetPosition() return p.x .. ',' .. p.y"), "11.0,2.0");
    EXPECT_EQ(Lua(child, "local s = self:GetTransform().scale return s.x .. ',' .. s.y"), "1.0,6.0");
    // Rotation is the local one only.
    EXPECT_EQ(Lua(child, "return self:GetTransform().rotation"), "0.0");

    Lua(child, "self:GetTransform():SetPosition(-3, 0.25)");
    EXPECT_EQ(child->GetComponent<fb::cmp::Transform>()->GetLocalPosition(), glm::vec2(-3.0f, 0.25f));
}

TEST_F(TransformBindingTest, RotationAndScaleAreProperties)
{
    auto entity = Probe();
    std::shared_ptr<fb::cmp::Transform> transform = entity->GetComponent<fb::cmp::Transform>();
    Lua(entity, "local t = self:GetTransform() t.rotation = 1.5 local s = vec2.new() s.x = 2 s.y = 0.5 t.scale = s");
    EXPECT_FLOAT_EQ(transform->GetRotation(), 1.5f);
    EXPECT_EQ(transform->GetLocalScale(), glm::vec2(2.0f, 0.5f));
    // The matrix is rebuilt from what the script set.
    EXPECT_FLOAT_EQ(transform->GetMatrix()[0][0], 2.0f * std::cos(1.5f));

    // A vector read from a property is a copy.
    Lua(entity, "self:GetTransform().scale.x = 9");
    EXPECT_EQ(transform->GetLocalScale(), glm::vec2(2.0f, 0.5f));
}

TEST_F(TransformBindingTest, WrongValuesAreLuaErrorsThatLeaveTheTransformAlone)
{
    auto entity = Probe("e", {1.0f, 1.0f});
    std::shared_ptr<fb::cmp::Transform> transform = entity->GetComponent<fb::cmp::Transform>();
    EXPECT_TRUE(Contains(Lua(entity, "self:GetTransform().scale = 2"), "Transform.scale takes a vec2, not a number"));
    EXPECT_TRUE(Contains(Lua(entity, "self:GetTransform().rotation = 'up'"), "Transform.rotation takes a number"));
    EXPECT_TRUE(Contains(Lua(entity, "self:GetTransform():SetPosition(1)"),
                         "bad argument #2 to 'SetPosition' (number expected, got no value)"));
    EXPECT_TRUE(Contains(Lua(entity, "self:GetTransform().position = vec2.new()"),
                         "Transform has no member 'position' that can be set"));
    EXPECT_TRUE(Contains(Lua(entity, "self:GetTransform().GetPosition(vec2.new())"), "Transform expected, got vec2"));
    EXPECT_EQ(transform->GetLocalPosition(), glm::vec2(1.0f, 1.0f));
    EXPECT_EQ(transform->GetLocalScale(), glm::vec2(1.0f, 1.0f));
}

TEST_F(TransformBindingTest, NewMakesDefaultsOwnedByTheScript)
{
    auto entity = Probe();
    EXPECT_EQ(Lua(entity, "local t = Transform.new() local p = t:GetPosition() local s = t.scale "
                          "return p.x .. ',' .. p.y .. ',' .. s.x .. ',' .. s.y .. ',' .. t.rotation"),
              "0.0,0.0,1.0,1.0,0.0");
    EXPECT_EQ(Lua(entity, "local v = vec2.new() v.x = 3 v.y = -4 return v.x + v.y"), "-1.0");
    EXPECT_TRUE(Contains(Lua(entity, "return vec2.new(1, 2)"), "vec2.new takes no arguments"));
    EXPECT_TRUE(Contains(Lua(entity, "local v = vec2.new() v.x = 'a'"), "vec2.x takes a number, not a string"));
    EXPECT_EQ(Lua(entity, "return vec2.new().z"), "nil");
    // Many made and dropped: the collector frees what only Lua owns.
    EXPECT_EQ(Lua(entity, "for i = 1, 20000 do local t = Transform.new() t:SetPosition(i, i) end "
                          "collectgarbage() return 'ok'"),
              "ok");
}

TEST_F(TransformBindingTest, ATransformKeptByAScriptOutlivesItsEntityHarmlessly)
{
    auto keeper = Probe("keeper");
    auto other = Probe("other", {5.0f, 5.0f});
    keeper->SetParent(other);
    Lua(keeper, "kept = self:GetParent():GetTransform()");
    std::weak_ptr<fb::Entity> watch = other;
    other.reset();
    Lua(keeper, "collectgarbage()");
    ReleaseCollectedEntities();
    ASSERT_TRUE(watch.expired());
    EXPECT_EQ(Lua(keeper, "kept:SetPosition(1, 2) return kept:GetPosition().x"), "1.0");
}

TEST_F(TransformBindingTest, TheCollectorNeverDestroysTheEntitysTransform)
{
    auto entity = Probe();
    std::weak_ptr<fb::cmp::Transform> watch = entity->GetComponent<fb::cmp::Transform>();
    Lua(entity, "for i = 1, 1000 do local t = self:GetTransform() end collectgarbage() collectgarbage()");
    EXPECT_EQ(watch.lock(), entity->GetComponent<fb::cmp::Transform>());
    EXPECT_EQ(watch.use_count(), 1);
}

} // namespace
