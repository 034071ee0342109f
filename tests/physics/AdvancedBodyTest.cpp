#include "PhysicsTestWorld.h"
#include "physics/AdvancedBody.h"
#include "physics/StaticBody.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace {

using fb::cmp::AdvancedBody;

class AdvancedBodyTest : public PhysicsTest {
protected:
    // A solid level rectangle, its collider taken on the first update.
    static std::shared_ptr<fb::Entity> Solid(glm::vec2 position, glm::vec2 scale)
    {
        auto tile = Spawn("Collider", position, scale);
        tile->AddComponent(std::make_shared<fb::cmp::StaticBody>());
        return tile;
    }

    static std::shared_ptr<AdvancedBody> Body(const std::shared_ptr<fb::Entity>& entity,
                                              fb::CollisionLayer layer = {4, 2})
    {
        auto body = std::make_shared<AdvancedBody>(layer);
        entity->AddComponent(body);
        return body;
    }
};

TEST_F(AdvancedBodyTest, MovesByVelocityAndAccelerationWithTheNewVelocity)
{
    auto entity = Spawn("mover", {0, 0}, {1, 1});
    auto body = Body(entity);
    body->SetVelocity({1, 0});
    body->SetAcceleration({0, -10});
    StepFrames(1);
    const float dt = AdvancedBody::kMaxStep;
    EXPECT_NEAR(body->GetVelocity().y, -10 * dt, 1e-6f);
    EXPECT_NEAR(PositionOf(entity).x, dt, 1e-6f);
    EXPECT_NEAR(PositionOf(entity).y, -10 * dt * dt, 1e-6f);
}

TEST_F(AdvancedBodyTest, ALongFrameMovesNoMoreThanTheCappedStepAndAPauseNotAtAll)
{
    auto entity = Spawn("mover", {0, 0}, {1, 1});
    auto body = Body(entity);
    body->SetVelocity({10, 0});
    Time::SetDt(0.1f);
    StepFrames(1);
    EXPECT_NEAR(PositionOf(entity).x, 10 * 0.016f, 1e-5f);

    Time::SetTimeScale(0.0f);
    StepFrames(10);
    EXPECT_NEAR(PositionOf(entity).x, 10 * 0.016f, 1e-5f);
}

TEST_F(AdvancedBodyTest, AFallingBodyComesToRestOnAStaticColliderWithoutSinkingOrJitter)
{
    Solid({0, 0}, {20, 1});
    auto entity = Spawn("faller", {0, 5}, {1, 1});
    auto body = Body(entity);
    const float gravity = -30.0f;
    body->SetAcceleration({0, gravity});

    std::vector<float> heights;
    for (int frame = 0; frame < 600; ++frame) {
        StepFrames(1);
        heights.push_back(PositionOf(entity).y);
    }
    // Under constant gravity the body dips by at most one step's fall into
    // the floor, the same every frame.
    const float oneStepFall = -gravity * AdvancedBody::kMaxStep * AdvancedBody::kMaxStep;
    const auto rest = heights.begin() + 300;
    const auto [low, high] = std::minmax_element(rest, heights.end());
    EXPECT_GE(*low, 1.0f - oneStepFall - 1e-5f);
    EXPECT_LE(*high - *low, 1e-5f);
    EXPECT_EQ(body->GetVelocity().x, 0.0f);

    // Without gravity, as a grounded character has, it stands exactly on top.
    body->SetAcceleration({0, 0});
    StepFrames(300);
    EXPECT_NEAR(PositionOf(entity).y, 1.0f, 1e-5f);
    EXPECT_EQ(body->GetVelocity(), glm::vec2(0, 0));
}

TEST_F(AdvancedBodyTest, LandingStopsTheFallAndFrictionActsOnlyOnContactFrames)
{
    Solid({0, 0}, {40, 1});
    auto entity = Spawn("runner", {0, 0.95f}, {1, 1});
    auto body = Body(entity);
    body->SetVelocity({2, -1});
    StepFrames(1);
    EXPECT_EQ(body->GetVelocity(), glm::vec2(2, 0));

    body->SetFriction(0.5f);
    body->SetVelocity({2, -1});
    StepFrames(1);
    EXPECT_EQ(body->GetVelocity(), glm::vec2(1, 0));

    body->SetVelocity({2, 0});
    entity->GetComponent<fb::cmp::Transform>()->SetPosition(0, 10);
    StepFrames(1);
    EXPECT_EQ(body->GetVelocity(), glm::vec2(2, 0));
}

TEST_F(AdvancedBodyTest, ABodyPressedIntoACornerStops)
{
    Solid({0, -0.9f}, {4, 1});
    Solid({0.9f, 0}, {1, 4});
    auto entity = Spawn("cornered", {0, 0}, {1, 1});
    auto body = Body(entity);
    body->SetVelocity({3, -3});
    StepFrames(1);
    EXPECT_EQ(body->GetVelocity(), glm::vec2(0, 0));
}

TEST_F(AdvancedBodyTest, BouncingReflectsTheVelocityByTheContactNormal)
{
    Solid({0, 0}, {40, 1});
    auto entity = Spawn("ball", {0, 0.95f}, {1, 1});
    auto body = Body(entity);
    body->SetBounce(1.0f);
    body->SetVelocity({0, -5});
    StepFrames(1);
    EXPECT_NEAR(body->GetVelocity().x, 0.0f, 1e-5f);
    EXPECT_NEAR(body->GetVelocity().y, 5.0f, 1e-5f);

    entity->GetComponent<fb::cmp::Transform>()->SetPosition(0, 0.95f);
    body->SetVelocity({3, -4});
    StepFrames(1);
    EXPECT_NEAR(body->GetVelocity().x, 3.0f, 1e-4f);
    EXPECT_NEAR(body->GetVelocity().y, 1.0f, 1e-4f);
}

TEST_F(AdvancedBodyTest, ABouncingBodyThatOnlyTouchesKeepsAFiniteVelocity)
{
    Solid({0, 0}, {40, 1});
    auto entity = Spawn("ball", {0, 1.0f}, {1, 1});
    auto body = Body(entity);
    body->SetBounce(0.8f);
    body->SetVelocity({2, -3});
    StepFrames(1);
    EXPECT_EQ(body->GetVelocity(), glm::vec2(2, -3));

    entity->GetComponent<fb::cmp::Transform>()->SetPosition(0, 0.95f);
    body->SetVelocity({1e-30f, 0});
    StepFrames(1);
    EXPECT_TRUE(std::isfinite(body->GetVelocity().x));
    EXPECT_TRUE(std::isfinite(PositionOf(entity).x));
}

TEST_F(AdvancedBodyTest, SetLayerChangesWhatTheBodyCollidesWith)
{
    Solid({0, 0}, {40, 1});
    auto entity = Spawn("ghost", {0, 0.9f}, {1, 1});
    auto body = Body(entity);
    body->SetLayer(4, 0);
    body->SetVelocity({0, -1});
    StepFrames(1);
    EXPECT_EQ(body->GetVelocity(), glm::vec2(0, -1));
    EXPECT_EQ(body->GetBodyCollider()->GetLayer().mask, 0);
}

TEST_F(AdvancedBodyTest, DetectorsTellWhereTheBodyTouches)
{
    Solid({0, 0}, {4, 1});
    Solid({1.5f, 1}, {1, 1});
    StepFrames(1);
    auto entity = Spawn("player", {0.5f, 1.0f}, {1, 1});
    auto body = Body(entity);
    body->CreateDetectorSet(2);
    body->CreateDetectorSet(128);

    EXPECT_TRUE(body->CollisionDetected(2, AdvancedBody::Body));
    EXPECT_TRUE(body->CollisionDetected(2, AdvancedBody::Bottom));
    EXPECT_FALSE(body->CollisionDetected(2, AdvancedBody::Top));
    EXPECT_TRUE(body->CollisionDetected(2, AdvancedBody::Right));
    EXPECT_FALSE(body->CollisionDetected(2, AdvancedBody::Left));
    EXPECT_FALSE(body->CollisionDetected(128, AdvancedBody::Bottom));

    // At the floor's left edge only the left foot hangs over the void.
    entity->GetComponent<fb::cmp::Transform>()->SetPosition(-2.0f, 1.0f);
    EXPECT_FALSE(body->CollisionDetected(2, AdvancedBody::FootLeft));
    EXPECT_TRUE(body->CollisionDetected(2, AdvancedBody::FootRight));
    const fb::CollisionResult ground = body->RunDetection(2, AdvancedBody::Bottom);
    EXPECT_EQ(ground.numCollisions, 1);
}

TEST_F(AdvancedBodyTest, MissingSetsAndDetectorsReportNothing)
{
    Solid({0, 0}, {4, 1});
    StepFrames(1);
    auto entity = Spawn("player", {0, 1}, {1, 1});
    auto body = Body(entity);
    body->CreateDetectorSet(2);
    EXPECT_FALSE(body->RunDetection(99, 0).collision);
    EXPECT_EQ(body->RunDetection(99, 0).numCollisions, 0);
    EXPECT_FALSE(body->CollisionDetected(2, AdvancedBody::DetectorCount));
    EXPECT_FALSE(body->CollisionDetected(2, -1));
}

TEST_F(AdvancedBodyTest, ADuplicateSetIsTracedAndTakesNoColliders)
{
    auto entity = Spawn("player", {0, 0}, {1, 1});
    auto body = Body(entity);
    body->CreateDetectorSet(2);
    const std::size_t taken = GetActiveBoxColliders().size();
    body->CreateDetectorSet(2);
    EXPECT_EQ(GetActiveBoxColliders().size(), taken);
    EXPECT_TRUE(Traced("Something tried to create a duplicate Detector Layer"));
}

TEST_F(AdvancedBodyTest, DestroyingABodyReturnsItsColliderAndEveryDetector)
{
    auto entity = std::make_shared<fb::Entity>("alien");
    entity->AddComponent(std::make_shared<fb::cmp::Transform>());
    auto body = std::make_shared<AdvancedBody>(fb::CollisionLayer(32, 130));
    entity->AddComponent(body);
    body->CreateDetectorSet(2);
    body->CreateDetectorSet(128);
    EXPECT_EQ(GetActiveBoxColliders().size(), 15u);

    // Exit alone gives nothing back.
    body->Exit();
    EXPECT_EQ(GetActiveBoxColliders().size(), 15u);
    body.reset();
    entity.reset();
    EXPECT_TRUE(GetActiveBoxColliders().empty());
}

class BodyEventLog : public fb::evt::SubjectObserver<fb::cmp::AdvancedBodyEvent> {
public:
    void OnNotify(const fb::cmp::AdvancedBodyEvent& event) override { events.push_back(event); }
    std::vector<fb::cmp::AdvancedBodyEvent> events;
};

TEST_F(AdvancedBodyTest, WithNotifyOnEachStepSendsAnEventPerTouchingDetector)
{
    Solid({0, 0}, {4, 1});
    StepFrames(1);
    auto entity = Spawn("player", {0, 1}, {1, 1});
    auto body = Body(entity);
    body->CreateDetectorSet(2);
    auto log = std::make_shared<BodyEventLog>();
    body->Attach(log);

    StepFrames(1);
    EXPECT_TRUE(log->events.empty());

    body->SetNotify(true);
    StepFrames(1);
    std::set<int> detectors;
    for (const auto& event : log->events) {
        EXPECT_EQ(event.key, 2);
        EXPECT_TRUE(event.result.collision);
        detectors.insert(event.detector);
    }
    EXPECT_EQ(detectors, (std::set<int>{AdvancedBody::Body, AdvancedBody::Bottom, AdvancedBody::FootLeft,
                                        AdvancedBody::FootRight}));
}

TEST_F(AdvancedBodyTest, WithoutPoolCollidersABodyMovesFreelyAndItsDetectorsAreSilent)
{
    Solid({0, 0}, {4, 1});
    StepFrames(1);
    TakeAllColliders();
    auto entity = Spawn("late", {0, 0.9f}, {1, 1});
    auto body = Body(entity);
    EXPECT_EQ(body->GetBodyCollider(), nullptr);
    EXPECT_TRUE(Traced("collider pool is exhausted"));
    body->CreateDetectorSet(2);
    body->SetVelocity({0, -1});
    StepFrames(1);
    EXPECT_EQ(body->GetVelocity(), glm::vec2(0, -1));
    EXPECT_FALSE(body->CollisionDetected(2, AdvancedBody::Bottom));
}

TEST_F(AdvancedBodyTest, AShortPoolFillsTheFirstDetectorsAndReturnsExactlyThose)
{
    Solid({0, 0}, {4, 1});
    StepFrames(1);
    auto entity = Spawn("player", {0, 1}, {1, 1});
    auto body = Body(entity);
    std::vector<fb::BoxCollider*> hoard;
    while (fb::BoxCollider* c = GetBoxCollider())
        hoard.push_back(c);
    for (int i = 0; i < 3; ++i)
        FreeBoxCollider(hoard[hoard.size() - 1 - static_cast<std::size_t>(i)]->GetID());

    body->CreateDetectorSet(2);
    EXPECT_EQ(GetBoxCollider(), nullptr);
    EXPECT_TRUE(body->CollisionDetected(2, AdvancedBody::Body));
    EXPECT_TRUE(body->CollisionDetected(2, AdvancedBody::Bottom));
    EXPECT_FALSE(body->CollisionDetected(2, AdvancedBody::FootLeft));

    EntityManager::Clear();
    entity.reset();
    body.reset();
    EXPECT_EQ(GetActiveBoxColliders().size(), hoard.size() - 3);
}

} // namespace
