#include "core/ComponentFactory.h"
#include "core/EntityManager.h"
#include "core/JsonWriting.h"
#include "core/Transform.h"

#include <glm/gtc/constants.hpp>
#include <gtest/gtest.h>
#include <rapidjson/document.h>

namespace {

using fb::cmp::Transform;

glm::vec2 Apply(const glm::mat3& matrix, glm::vec2 point)
{
    glm::vec3 result = matrix * glm::vec3(point, 1.0f);
    return {result.x, result.y};
}

void ExpectNear(glm::vec2 actual, glm::vec2 expected)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
}

class TransformTest : public ::testing::Test {
protected:
    void SetUp() override { EntityManager::Init(); }
    void TearDown() override { EntityManager::Exit(); }

    std::shared_ptr<Transform> Place(std::shared_ptr<fb::Entity>& entity, const char* name, glm::vec2 position,
                                     glm::vec2 scale, float rotation)
    {
        entity = std::make_shared<fb::Entity>(name);
        auto transform = std::make_shared<Transform>(position, scale, rotation);
        entity->AddComponent(transform);
        return transform;
    }
};

TEST_F(TransformTest, WorldMatrixIsTranslationRotationScale)
{
    Transform plain({3.0f, 4.0f}, {2.0f, 2.0f}, 0.0f);
    const glm::mat3& matrix = plain.GetMatrix();
    EXPECT_EQ(matrix[0], glm::vec3(2.0f, 0.0f, 0.0f));
    EXPECT_EQ(matrix[1], glm::vec3(0.0f, 2.0f, 0.0f));
    EXPECT_EQ(matrix[2], glm::vec3(3.0f, 4.0f, 1.0f));

    Transform turned({0.0f, 0.0f}, {2.0f, 1.0f}, glm::half_pi<float>());
    ExpectNear(Apply(turned.GetMatrix(), {1.0f, 0.0f}), {0.0f, 2.0f});
}

TEST_F(TransformTest, ChildPositionIsAPlainSumWhileTheMatrixTurnsWithTheParent)
{
    std::shared_ptr<fb::Entity> parent, child;
    Place(parent, "parent", {10.0f, 0.0f}, {1.0f, 1.0f}, glm::half_pi<float>());
    auto childTransform = Place(child, "child", {1.0f, 0.0f}, {1.0f, 1.0f}, 0.0f);
    child->SetParent(parent);

    ExpectNear(childTransform->GetPosition(), {11.0f, 0.0f});
    ExpectNear(Apply(childTransform->GetMatrix(), {0.0f, 0.0f}), {10.0f, 1.0f});
}

TEST_F(TransformTest, WorldScaleMultipliesAndRotationStaysLocal)
{
    std::shared_ptr<fb::Entity> parent, child;
    Place(parent, "parent", {0.0f, 0.0f}, {0.5f, 2.0f}, 1.0f);
    auto childTransform = Place(child, "child", {0.0f, 0.0f}, {2.0f, 3.0f}, 0.25f);
    child->SetParent(parent);
    ExpectNear(childTransform->GetScale(), {1.0f, 6.0f});
    EXPECT_FLOAT_EQ(childTransform->GetRotation(), 0.25f);
}

TEST_F(TransformTest, MatrixFollowsSettersAndALostParent)
{
    std::shared_ptr<fb::Entity> parent, child;
    auto parentTransform = Place(parent, "parent", {5.0f, 5.0f}, {1.0f, 1.0f}, 0.0f);
    auto childTransform = Place(child, "child", {1.0f, 0.0f}, {1.0f, 1.0f}, 0.0f);
    child->SetParent(parent);
    ExpectNear(Apply(childTransform->GetMatrix(), {0.0f, 0.0f}), {6.0f, 5.0f});

    parentTransform->SetPosition(-5.0f, 0.0f);
    ExpectNear(Apply(childTransform->GetMatrix(), {0.0f, 0.0f}), {-4.0f, 0.0f});

    parent.reset();
    ExpectNear(Apply(childTransform->GetMatrix(), {0.0f, 0.0f}), {1.0f, 0.0f});

    childTransform->SetPosition({2.0f, 2.0f});
    ExpectNear(Apply(childTransform->GetMatrix(), {0.0f, 0.0f}), {2.0f, 2.0f});
}

TEST_F(TransformTest, AParentCycleEndsInsteadOfRecursingForever)
{
    std::shared_ptr<fb::Entity> a, b;
    auto first = Place(a, "a", {1.0f, 0.0f}, {1.0f, 1.0f}, 0.0f);
    Place(b, "b", {1.0f, 0.0f}, {1.0f, 1.0f}, 0.0f);
    a->SetParent(b);
    b->SetParent(a);
    EXPECT_TRUE(std::isfinite(first->GetPosition().x));
    EXPECT_TRUE(std::isfinite(first->GetMatrix()[2].x));
}

TEST_F(TransformTest, JsonReadsNumbersAndTreatsAbsentMistypedOrHugeKeysAsZero)
{
    rapidjson::Document json;
    json.Parse(R"({"type":"Transform","posX":1,"posY":2.5,"scaleX":"wide","scaleY":1e39,"rotation":0.5})");
    auto component = ComponentFactory::Create("Transform", json);
    auto transform = std::dynamic_pointer_cast<Transform>(component);
    ASSERT_NE(transform, nullptr);
    EXPECT_EQ(transform->GetPosition(), glm::vec2(1.0f, 2.5f));
    EXPECT_EQ(transform->GetScale(), glm::vec2(0.0f, 0.0f));
    EXPECT_FLOAT_EQ(transform->GetRotation(), 0.5f);
}

TEST_F(TransformTest, ToJsonOverwritesOnlyTheKeysTheObjectHas)
{
    rapidjson::Document json;
    json.Parse(R"({"type":"Transform","posX":1,"posY":2,"scaleX":1,"scaleY":1})");
    Transform transform({7.0f, 8.0f}, {3.0f, 4.0f}, 0.75f);
    transform.ToJson(json);
    EXPECT_DOUBLE_EQ(json["scaleX"].GetDouble(), 3.0);
    EXPECT_DOUBLE_EQ(json["scaleY"].GetDouble(), 4.0);
    EXPECT_EQ(json["posX"].GetInt(), 1);
    EXPECT_FALSE(json.HasMember("rotation"));

    // A changed float goes in its shortest form; an unchanged one stays as written.
    json.Parse(R"({"scaleX":3,"scaleY":1,"rotation":0.75})");
    transform.SetScale({3.0f, 0.7f});
    transform.ToJson(json);
    std::string text, error;
    EXPECT_TRUE(fb::WriteJson(json, fb::JsonLayout::Compact, text, error) &&
                text == R"({"scaleX":3,"scaleY":0.7,"rotation":0.75})") << text;
}

} // namespace
