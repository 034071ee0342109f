#include "PhysicsTestWorld.h"
#include "core/ComponentFactory.h"
#include "physics/BasicBody.h"
#include "physics/CollisionQuery.h"
#include "physics/StaticBody.h"

#include <rapidjson/document.h>

namespace {

using fb::cmp::BasicBody;
using fb::cmp::StaticBody;

using StaticBodyTest = PhysicsTest;
using BasicBodyTest = PhysicsTest;

std::shared_ptr<StaticBody> MadeByTheFactory(const char* json)
{
    rapidjson::Document entry;
    entry.Parse(json);
    return std::dynamic_pointer_cast<StaticBody>(ComponentFactory::Create("StaticBody", entry));
}

TEST_F(StaticBodyTest, TheFactoryMakesOneAndIgnoresExtraKeys)
{
    auto plain = MadeByTheFactory(R"({"type": "StaticBody"})");
    auto extra = MadeByTheFactory(R"({"type": "StaticBody", "layer": "team1", "mask": 99, "bound": false})");
    ASSERT_NE(plain, nullptr);
    ASSERT_NE(extra, nullptr);
    EXPECT_EQ(extra->GetCollider(), nullptr);

    auto tile = Spawn("Collider", {3, 0}, {2, 1});
    tile->AddComponent(extra);
    StepFrames(1);
    const fb::BoxCollider* collider = extra->GetCollider();
    ASSERT_NE(collider, nullptr);
    EXPECT_EQ(collider->GetLayer().layer, 2);
    EXPECT_EQ(collider->GetLayer().mask, 1);
    EXPECT_TRUE(collider->IsBound());
    EXPECT_EQ(collider->GetParent().lock(), tile);
}

TEST_F(StaticBodyTest, ARecycledRecordIsMadeBoundAgain)
{
    fb::BoxCollider* used = GetBoxCollider();
    used->SetBound(false);
    FreeBoxCollider(used->GetID());

    auto tile = Spawn("Collider", {0, 0}, {4, 1});
    auto body = std::make_shared<StaticBody>();
    tile->AddComponent(body);
    StepFrames(1);
    ASSERT_EQ(body->GetCollider(), used);
    EXPECT_TRUE(used->IsBound());
    fb::BoxCollider* query = TakeLoose({1.8f, 0}, {1, 1}, {4, 2});
    EXPECT_TRUE(RunBoxCollision(query).collision);
}

TEST_F(StaticBodyTest, WithoutATransformItTakesNoCollider)
{
    auto bare = std::make_shared<fb::Entity>("bare");
    EntityManager::Add(bare);
    auto body = std::make_shared<StaticBody>();
    bare->AddComponent(body);
    StepFrames(3);
    EXPECT_EQ(body->GetCollider(), nullptr);
    EXPECT_TRUE(GetActiveBoxColliders().empty());
}

TEST_F(StaticBodyTest, ExitReturnsTheColliderAndTheNextUpdateTakesAFreshOne)
{
    auto tile = Spawn("Collider", {0, 0}, {1, 1});
    auto body = std::make_shared<StaticBody>();
    tile->AddComponent(body);
    StepFrames(1);
    body->Exit();
    EXPECT_EQ(body->GetCollider(), nullptr);
    EXPECT_TRUE(GetActiveBoxColliders().empty());
    StepFrames(1);
    EXPECT_NE(body->GetCollider(), nullptr);
    EXPECT_EQ(GetActiveBoxColliders().size(), 1u);
}

TEST_F(StaticBodyTest, ReplacedOrDestroyedBodiesGiveTheirCollidersBack)
{
    auto tile = Spawn("Collider", {0, 0}, {1, 1});
    tile->AddComponent(std::make_shared<StaticBody>());
    StepFrames(1);
    tile->AddComponent(std::make_shared<StaticBody>());
    StepFrames(1);
    EXPECT_EQ(GetActiveBoxColliders().size(), 1u);
    EntityManager::Clear();
    tile.reset();
    EXPECT_TRUE(GetActiveBoxColliders().empty());
}

TEST_F(StaticBodyTest, WhileThePoolIsExhaustedItKeepsTrying)
{
    std::vector<fb::BoxCollider*> hoard;
    while (fb::BoxCollider* c = GetBoxCollider())
        hoard.push_back(c);
    auto tile = Spawn("Collider", {0, 0}, {1, 1});
    auto body = std::make_shared<StaticBody>();
    tile->AddComponent(body);
    StepFrames(5);
    EXPECT_EQ(body->GetCollider(), nullptr);
    FreeBoxCollider(hoard[7]->GetID());
    StepFrames(1);
    ASSERT_NE(body->GetCollider(), nullptr);
    EXPECT_EQ(body->GetCollider()->GetID(), 7u);
}

TEST_F(BasicBodyTest, StepsASixtiethOfASecondWhateverTheFrameTime)
{
    for (float frameTime : {0.1f, 1.0f / 60.0f, 0.001f}) {
        Time::SetDt(frameTime);
        auto box = Spawn("box", {0, 0}, {1, 1});
        auto body = std::make_shared<BasicBody>(glm::vec2(1, 0), glm::vec2(0, 0), fb::CollisionLayer(4, 2));
        box->AddComponent(body);
        StepFrames(60);
        EXPECT_NEAR(PositionOf(box).x, 1.0f, 1e-4f) << "frame time " << frameTime;
        EntityManager::Clear();
    }
}

TEST_F(BasicBodyTest, TakesAColliderOfItsSizeAndIsPushedOutWithoutLosingSpeed)
{
    auto floor = Spawn("Collider", {0, 0}, {10, 1});
    floor->AddComponent(std::make_shared<StaticBody>());
    StepFrames(1);
    auto box = Spawn("box", {0, 0.95f}, {1, 1});
    auto body = std::make_shared<BasicBody>(glm::vec2(0, -1), glm::vec2(0, 0), fb::CollisionLayer(4, 2));
    box->AddComponent(body);
    StepFrames(1);
    ASSERT_NE(body->GetCollider(), nullptr);
    EXPECT_EQ(body->GetCollider()->GetSize(), glm::vec2(1, 1));
    EXPECT_EQ(body->GetCollider()->GetLayer().mask, 2);
    EXPECT_NEAR(PositionOf(box).y, 0.95f - 1.0f / 60.0f + 0.05f, 1e-5f);
    EXPECT_EQ(body->GetVelocity(), glm::vec2(0, -1));

    body->Exit();
    EXPECT_EQ(GetActiveBoxColliders().size(), 1u);
}

TEST_F(BasicBodyTest, WithoutPoolCollidersItWaits)
{
    TakeAllColliders();
    auto box = Spawn("box", {0, 0}, {1, 1});
    auto body = std::make_shared<BasicBody>(glm::vec2(1, 0), glm::vec2(0, 0), fb::CollisionLayer(4, 2));
    box->AddComponent(body);
    StepFrames(3);
    EXPECT_EQ(body->GetCollider(), nullptr);
    EXPECT_EQ(PositionOf(box), glm::vec2(0, 0));
}

} // namespace
