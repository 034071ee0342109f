#include "core/Entity.h"
#include "core/Random.h"
#include "core/Time.h"
#include "core/Transform.h"
#include "render/AbsorbEmitter.h"
#include "render/BasicEmitter.h"
#include "render/CircularZone.h"
#include "render/ElipticalEmitter.h"
#include "render/FootstepEmitter.h"
#include "render/SquareEmitter.h"
#include "render/StreakEmitter.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace {

Particle At(glm::vec2 position, glm::vec2 velocity = {0, 0})
{
    Particle particle;
    particle.position = position;
    particle.velocity = velocity;
    particle.life = particle.maxLife = 1.0f;
    return particle;
}

// An entity with a Transform at `position` holding the emitter.
std::shared_ptr<fb::Entity> Holding(std::shared_ptr<ParticleEmitter> emitter, glm::vec2 position)
{
    auto entity = std::make_shared<fb::Entity>("emitter");
    entity->AddComponent<fb::cmp::Transform>(std::make_shared<fb::cmp::Transform>(position, glm::vec2(1, 1), 0));
    entity->AddComponent<ParticleEmitter>(std::move(emitter));
    return entity;
}

class EmitterTest : public ::testing::Test {
protected:
    void SetUp() override { Random::Seed(99); }
};

TEST_F(EmitterTest, ABasicEmitterSpawnsInsideItsDiscAndBlowsAConstantWind)
{
    BasicEmitter still(0.0f, 1.0f, -2.0f);
    EXPECT_EQ(still.GetSpawnOffset(At({0, 0})), glm::vec2(0, 0));
    EXPECT_EQ(still.GetForce(At({5, 7})), glm::vec2(1, -2));

    BasicEmitter disc(0.5f, 0.0f, 0.0f);
    for (int i = 0; i < 200; ++i)
        EXPECT_LE(glm::length(disc.GetSpawnOffset(At({0, 0}))), 0.5f + 1e-6f);

    still.Scale(3.0f);
    EXPECT_EQ(still.GetForce(At({0, 0})), glm::vec2(3, -6));
    disc.Scale(2.0f);
    EXPECT_FLOAT_EQ(disc.GetRadius(), 1.0f);
}

TEST_F(EmitterTest, AnAbsorbEmitterSpawnsOnItsCircleAndPullsTowardItsEntity)
{
    auto emitter = std::make_shared<AbsorbEmitter>(0.75f, 4.0f);
    auto entity = Holding(emitter, {2, 1});
    for (int i = 0; i < 50; ++i)
        EXPECT_NEAR(glm::length(emitter->GetSpawnOffset(At({0, 0}))), 0.75f, 1e-5f);

    const glm::vec2 pull = emitter->GetForce(At({2, 4}));
    EXPECT_NEAR(pull.x, 0.0f, 1e-6f);
    EXPECT_NEAR(pull.y, -4.0f, 1e-5f);

    // Moving the entity moves the target.
    entity->GetComponent<fb::cmp::Transform>()->SetPosition(5, 4);
    EXPECT_NEAR(emitter->GetForce(At({2, 4})).x, 4.0f, 1e-5f);

    auto pushing = std::make_shared<AbsorbEmitter>(0.0f, -4.0f);
    auto pushingEntity = Holding(pushing, {0, 0});
    EXPECT_NEAR(pushing->GetForce(At({3, 0})).x, 4.0f, 1e-5f);
}

TEST_F(EmitterTest, AnAbsorbEmitterGivesNoForceOnItsTargetOrWithoutATransform)
{
    auto emitter = std::make_shared<AbsorbEmitter>(0.5f, 4.0f);
    auto entity = Holding(emitter, {2, 1});
    EXPECT_EQ(emitter->GetForce(At({2, 1})), glm::vec2(0, 0));

    entity->RemoveComponent<fb::cmp::Transform>();
    EXPECT_EQ(emitter->GetForce(At({0, 0})), glm::vec2(0, 0));

    AbsorbEmitter loose(0.5f, 4.0f);
    EXPECT_EQ(loose.GetForce(At({1, 1})), glm::vec2(0, 0));
}

TEST_F(EmitterTest, ASquareEmitterIsSizedPerAxisOnly)
{
    SquareEmitter square({1.0f, 0.5f}, {0.0f, 0.8f});
    for (int i = 0; i < 200; ++i) {
        const glm::vec2 offset = square.GetSpawnOffset(At({0, 0}));
        EXPECT_LE(std::abs(offset.x), 1.0f);
        EXPECT_LE(std::abs(offset.y), 0.5f);
    }
    square.Scale(2.0f);
    EXPECT_EQ(square.GetSize(), glm::vec2(1.0f, 0.5f));
    square.ScaleXY({2.0f, 3.0f});
    EXPECT_EQ(square.GetSize(), glm::vec2(2.0f, 1.5f));
    EXPECT_EQ(square.GetWind(), glm::vec2(0.0f, 0.8f));
}

TEST_F(EmitterTest, AnElipticalEmitterSpawnsWhereTheParticleWillFly)
{
    ElipticalEmitter ellipse(2.0f, 1.0f, 0.0f, 0.0f);
    const glm::vec2 up = ellipse.GetSpawnOffset(At({0, 0}, {0, 3}));
    EXPECT_NEAR(up.x, 0.0f, 1e-6f);
    EXPECT_NEAR(up.y, 1.0f, 1e-6f);
    const glm::vec2 left = ellipse.GetSpawnOffset(At({0, 0}, {-5, 0}));
    EXPECT_NEAR(left.x, -2.0f, 1e-6f);
    ellipse.Scale(2.0f);
    EXPECT_NEAR(ellipse.GetSpawnOffset(At({0, 0}, {0, 1})).y, 2.0f, 1e-6f);
}

TEST_F(EmitterTest, AFootstepEmitterThrowsDustAlongTheGround)
{
    FootstepEmitter footstep(2.0f, 1.0f, 0.5f);
    for (int i = 0; i < 100; ++i) {
        const glm::vec2 offset = footstep.GetSpawnOffset(At({0, 0}));
        EXPECT_LE(std::abs(offset.x), 2.0f);
        EXPECT_EQ(offset.y, 0.0f);
    }
    // k = 0.5 / 0.025 = 20.
    const glm::vec2 force = footstep.GetForce(At({3, 2}));
    EXPECT_NEAR(force.x, 0.2f * 20 * 3, 1e-3f);
    EXPECT_NEAR(force.y, 0.2f * 20 * 1 - 2 * 20, 1e-3f);
}

TEST_F(EmitterTest, ACircularZoneSwirlsNearTheOriginAndPullsFromFarther)
{
    CircularZone zone(1.0f);
    const glm::vec2 near = zone.GetForce(At({0.5f, 0}));
    EXPECT_NEAR(near.x, 0.0f, 1e-6f);
    EXPECT_NEAR(near.y, -4.0f, 1e-6f);
    const glm::vec2 far = zone.GetForce(At({2, 0}));
    EXPECT_NEAR(far.x, -16.0f, 1e-6f);
    EXPECT_NEAR(far.y, 0.0f, 1e-6f);
    EXPECT_NEAR(glm::length(zone.GetSpawnOffset(At({0, 0}))), 1.0f, 1e-5f);
}

TEST_F(EmitterTest, AStreakSweepsFromItsEntityToTheEndInUnscaledTime)
{
    auto streak = std::make_shared<StreakEmitter>(glm::vec2(0, 0), glm::vec2(10, 0), 0.0f, 0.0f, 0.0f, 1.0f);
    Holding(streak, {2, 0});
    EXPECT_EQ(streak->GetStart(), glm::vec2(2, 0));

    Time::SetTimeScale(0.0f);
    Time::SetDt(0.25f);
    streak->Update();
    for (int i = 0; i < 50; ++i) {
        const float x = streak->GetSpawnOffset(At({0, 0})).x;
        EXPECT_GE(x, 0.0f);
        EXPECT_LE(x, 8.0f * 0.25f + 1e-5f);
    }
    streak->Update();
    EXPECT_FLOAT_EQ(streak->GetT0(), 0.25f);
    EXPECT_FLOAT_EQ(streak->GetT1(), 0.5f);
    Time::SetTimeScale(1.0f);
}

TEST_F(EmitterTest, AFinishedStreakSpawnsExactlyAtItsEndWithoutJitter)
{
    auto streak = std::make_shared<StreakEmitter>(glm::vec2(0, 0), glm::vec2(4, 3), 0.5f, 0.0f, 0.0f, 0.5f);
    Holding(streak, {1, 1});
    Time::SetDt(0.2f);
    for (int i = 0; i < 4; ++i)
        streak->Update();
    EXPECT_FLOAT_EQ(streak->GetT0(), 0.5f);
    EXPECT_FLOAT_EQ(streak->GetT1(), 0.5f);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(streak->GetSpawnOffset(At({0, 0})), glm::vec2(3, 2));
}

TEST_F(EmitterTest, AStreakWithoutDurationOrTransformStaysFinite)
{
    auto streak = std::make_shared<StreakEmitter>(glm::vec2(0, 0), glm::vec2(4, 3), 0.5f, 0.0f, 0.0f, 0.0f);
    auto entity = std::make_shared<fb::Entity>("no transform");
    entity->AddComponent<ParticleEmitter>(streak);
    EXPECT_EQ(streak->GetStart(), glm::vec2(0, 0));
    streak->Update();
    EXPECT_EQ(streak->GetSpawnOffset(At({0, 0})), glm::vec2(4, 3));
}

TEST_F(EmitterTest, ClonesKeepTheirParameters)
{
    BasicEmitter basic(0.0f, 1.0f, 2.0f);
    std::unique_ptr<ParticleEmitter> copy(basic.Clone());
    EXPECT_EQ(copy->GetForce(At({0, 0})), glm::vec2(1, 2));
    SquareEmitter square({1, 2}, {3, 4});
    std::unique_ptr<SquareEmitter> squareCopy(square.Clone());
    EXPECT_EQ(squareCopy->GetSize(), glm::vec2(1, 2));
    AbsorbEmitter absorb(0.5f, 3.0f);
    std::unique_ptr<AbsorbEmitter> absorbCopy(absorb.Clone());
    EXPECT_FLOAT_EQ(absorbCopy->GetPull(), 3.0f);
}

} // namespace
