#include "PhysicsTestWorld.h"
#include "level/JumpThruPlat.h"
#include "physics/AdvancedBody.h"
#include "physics/CollisionQuery.h"

#include <memory>

namespace {

using fb::cmp::AdvancedBody;

class JumpThruPlatTest : public PhysicsTest {
protected:
    // A platform run of four tiles, as the level builder places one.
    std::shared_ptr<JumpThruPlat> MakePlatform(glm::vec2 position = {0, 0}, glm::vec2 scale = {4, 2})
    {
        mPlatformEntity = Spawn("Passthrough Platform", position, scale);
        auto platform = std::make_shared<JumpThruPlat>();
        mPlatformEntity->AddComponent(platform);
        return platform;
    }

    std::shared_ptr<fb::Entity> mPlatformEntity;
};

TEST_F(JumpThruPlatTest, TheColliderIsHalfTheTileUntilTheFirstUpdateThenAThinStripOnTop)
{
    auto platform = MakePlatform();
    const fb::BoxCollider* collider = platform->GetCollider();
    ASSERT_NE(collider, nullptr);
    EXPECT_EQ(collider->GetSize(), glm::vec2(1.0f, 0.5f));
    EXPECT_EQ(collider->GetCenter(), glm::vec2(0.0f, 0.5f));
    EXPECT_EQ(collider->GetLayer().layer, 128);
    EXPECT_EQ(collider->GetLayer().mask, 0);
    EXPECT_FALSE(collider->IsBound());
    EXPECT_EQ(collider->GetParent().lock(), mPlatformEntity);

    StepFrames(1);
    EXPECT_EQ(collider->GetSize(), glm::vec2(1.0f, 0.1f));
    fb::BoxCollider strip = *collider;
    strip.UpdateCorners();
    EXPECT_NEAR(strip.GetCorner(0).x, -2.0f, 1e-5f);
    EXPECT_NEAR(strip.GetCorner(0).y, 0.9f, 1e-5f);
    EXPECT_NEAR(strip.GetCorner(2).x, 2.0f, 1e-5f);
    EXPECT_NEAR(strip.GetCorner(2).y, 1.1f, 1e-5f);
}

TEST_F(JumpThruPlatTest, AnAlienLandsOnItAndStaysOnTop)
{
    MakePlatform();
    StepFrames(1);
    auto alien = Spawn("aliendude", {0, 4}, {1, 1});
    auto body = std::make_shared<AdvancedBody>(fb::CollisionLayer(32, 130));
    alien->AddComponent(body);
    body->SetAcceleration({0, -30});
    StepFrames(400);
    EXPECT_NEAR(PositionOf(alien).y, 1.6f, 0.01f);
    EXPECT_GE(PositionOf(alien).y, 1.6f - 30.0f * AdvancedBody::kMaxStep * AdvancedBody::kMaxStep - 1e-5f);
}

TEST_F(JumpThruPlatTest, APlayerJumpsUpThroughItAndItsFeetFindItFromAbove)
{
    MakePlatform();
    StepFrames(1);
    auto player = Spawn("Player 0", {0, -1}, {1, 1});
    auto body = std::make_shared<AdvancedBody>(fb::CollisionLayer(4, 2));
    player->AddComponent(body);
    body->CreateDetectorSet(128);
    body->SetVelocity({0, 12});
    body->SetAcceleration({0, -20});

    // Up through the platform, then down onto it. Standing is the player
    // logic's call: feet on the platform while not rising means grounded.
    float highest = -1.0f;
    bool grounded = false;
    for (int frame = 0; frame < 400; ++frame) {
        StepFrames(1);
        highest = std::max(highest, PositionOf(player).y);
        if (!grounded && body->GetVelocity().y <= 0.0f && body->CollisionDetected(128, AdvancedBody::Bottom)) {
            grounded = true;
            body->SetAcceleration({0, 0});
            body->SetVelocity({0, 0});
        }
    }
    EXPECT_GT(highest, 2.0f);
    EXPECT_TRUE(grounded);
    EXPECT_GT(PositionOf(player).y, 1.1f);
    EXPECT_LT(PositionOf(player).y, 1.7f);
    EXPECT_TRUE(body->CollisionDetected(128, AdvancedBody::Bottom));
}

TEST_F(JumpThruPlatTest, APlayersBodyIsNeverPushedByIt)
{
    MakePlatform();
    StepFrames(1);
    auto player = Spawn("Player 0", {0, 1.2f}, {1, 1});
    auto body = std::make_shared<AdvancedBody>(fb::CollisionLayer(4, 2));
    player->AddComponent(body);
    body->SetVelocity({0, -5});
    StepFrames(1);
    EXPECT_EQ(body->GetVelocity(), glm::vec2(0, -5));
    EXPECT_NEAR(PositionOf(player).y, 1.2f - 5.0f * AdvancedBody::kMaxStep, 1e-5f);
}

TEST_F(JumpThruPlatTest, ExitAndTheDestructorReturnTheColliderOnce)
{
    auto platform = MakePlatform();
    const unsigned int id = platform->GetCollider()->GetID();
    platform->Exit();
    EXPECT_EQ(platform->GetCollider(), nullptr);
    fb::BoxCollider* someoneElse = GetBoxCollider();
    ASSERT_EQ(someoneElse->GetID(), id);

    platform->Exit();
    mPlatformEntity->RemoveComponent<JumpThruPlat>();
    platform.reset();
    EXPECT_TRUE(someoneElse->IsInUse());
}

TEST_F(JumpThruPlatTest, ACloneTakesItsOwnCollider)
{
    auto platform = MakePlatform();
    std::shared_ptr<fb::cmp::Component> copy(platform->Clone());
    auto clone = std::dynamic_pointer_cast<JumpThruPlat>(copy);
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetCollider(), nullptr);
    EXPECT_EQ(clone->GetOwner().lock(), mPlatformEntity);

    auto other = Spawn("Passthrough Platform", {5, 0}, {2, 2});
    other->AddComponent(copy);
    ASSERT_NE(clone->GetCollider(), nullptr);
    EXPECT_NE(clone->GetCollider(), platform->GetCollider());

    const fb::BoxCollider* original = platform->GetCollider();
    clone.reset();
    copy.reset();
    EntityManager::Clear();
    other.reset();
    EXPECT_TRUE(original->IsInUse());
    EXPECT_EQ(GetActiveBoxColliders().size(), 1u);
}

TEST_F(JumpThruPlatTest, WithoutAPoolColliderThePlatformIsSimplyNotThere)
{
    TakeAllColliders();
    auto platform = MakePlatform();
    EXPECT_EQ(platform->GetCollider(), nullptr);
    EXPECT_TRUE(Traced("collider pool is exhausted"));
    StepFrames(2);
    platform->Exit();
    EXPECT_EQ(GetActiveBoxColliders().size(), kBoxColliderCount);
}

} // namespace
