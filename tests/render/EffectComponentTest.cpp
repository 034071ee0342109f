#include "ParticleTestWorld.h"

#include "core/Transform.h"
#include "render/KillClock.h"
#include "render/PunchFX.h"
#include "render/Sprite.h"

#include <cmath>

namespace {

class EffectComponentTest : public EffectsTest {
protected:
    // A managed entity, with a Transform of the scale and a Sprite when asked.
    static std::shared_ptr<fb::Entity> Thing(bool transform, bool sprite, glm::vec2 scale = {2, 4})
    {
        auto entity = std::make_shared<fb::Entity>("thing");
        if (transform)
            entity->AddComponent<fb::cmp::Transform>(std::make_shared<fb::cmp::Transform>(glm::vec2(0, 0), scale, 0));
        if (sprite)
            entity->AddComponent<Sprite>(std::make_shared<Sprite>("tests/data/render/red.png", 1.0f, 2));
        EntityManager::Add(entity);
        return entity;
    }

    static glm::vec2 ScaleOf(const std::shared_ptr<fb::Entity>& entity)
    {
        return entity->GetComponent<fb::cmp::Transform>()->GetScale();
    }

    static float OpacityOf(const std::shared_ptr<fb::Entity>& entity)
    {
        return entity->GetComponent<Sprite>()->GetOpacity();
    }
};

TEST_F(EffectComponentTest, AKillClockRemovesItsEntityOnceItsTimeIsStrictlyPast)
{
    Time::SetDt(0.25f);
    Thing(false, false)->AddComponent<KillClock>(std::make_shared<KillClock>(0.5f));
    Thing(false, false)->AddComponent<KillClock>(std::make_shared<KillClock>(0.0f));
    Frame();
    EXPECT_EQ(EntityCount(), 1u) << "a clock of 0 goes in its first update";
    Frame();
    EXPECT_EQ(EntityCount(), 1u) << "exactly 0 left is not past";
    Frame();
    EXPECT_EQ(EntityCount(), 0u);
}

TEST_F(EffectComponentTest, AKillClockStandsStillWhileThePlayIsPaused)
{
    Thing(false, false)->AddComponent<KillClock>(std::make_shared<KillClock>(0.0f));
    Time::SetTimeScale(0.0f);
    Frames(100);
    EXPECT_EQ(EntityCount(), 1u);
    Time::SetTimeScale(1.0f);
    Frame();
    EXPECT_EQ(EntityCount(), 0u);
}

TEST_F(EffectComponentTest, AKillClocksCopyKeepsTheTimeLeftButNoOwner)
{
    auto entity = Thing(false, false);
    auto clock = std::make_shared<KillClock>(3.0f);
    entity->AddComponent<KillClock>(clock);
    Frame();
    std::unique_ptr<KillClock> copy(clock->Clone());
    EXPECT_FLOAT_EQ(copy->GetTimeLeft(), 3.0f - kFrame);
    EXPECT_TRUE(copy->GetOwner().expired());
}

TEST_F(EffectComponentTest, APunchSwellsThinAndTallOnceAndFlashesThenRestoresItsEntity)
{
    Time::SetDt(0.125f);
    auto victim = Thing(true, true);
    victim->AddComponent<PunchFX>(std::make_shared<PunchFX>(10.0f, 0.25f, 0.5f));
    const float quarter = 0.25f * std::sin(static_cast<float>(M_PI) * 0.75f);

    Frame();
    EXPECT_NEAR(ScaleOf(victim).x, 2 * (1 - quarter), 1e-5f);
    EXPECT_NEAR(ScaleOf(victim).y, 4 * (1 + quarter), 1e-5f);
    EXPECT_NEAR(OpacityOf(victim), 0.5f, 1e-5f);
    Frame();
    EXPECT_NEAR(ScaleOf(victim).x, 2 * 0.75f, 1e-5f) << "the full stretch at half time";
    EXPECT_NEAR(ScaleOf(victim).y, 4 * 1.25f, 1e-5f);
    EXPECT_NEAR(OpacityOf(victim), 0.0f, 1e-5f);
    Frame();
    EXPECT_NEAR(ScaleOf(victim).y, 4 * (1 + quarter), 1e-5f) << "and back the same way";
    Frame();
    EXPECT_NEAR(ScaleOf(victim).y, 4.0f, 1e-5f);
    EXPECT_TRUE(victim->GetComponent<PunchFX>());

    Frame();
    EXPECT_FALSE(victim->GetComponent<PunchFX>());
    EXPECT_EQ(ScaleOf(victim), glm::vec2(2, 4));
    EXPECT_EQ(OpacityOf(victim), 1.0f);
}

TEST_F(EffectComponentTest, AJumpSquashDoesNotFlash)
{
    auto jumper = Thing(true, true);
    jumper->AddComponent<PunchFX>(std::make_shared<PunchFX>(0.0f, 0.25f, 0.5f));
    for (int i = 0; i < 10; ++i) {
        Frame();
        EXPECT_EQ(OpacityOf(jumper), 1.0f);
    }
}

TEST_F(EffectComponentTest, APunchChangesOnlyWhatTheEntityHas)
{
    Time::SetDt(0.125f);
    auto boxOnly = Thing(true, false);
    boxOnly->AddComponent<PunchFX>(std::make_shared<PunchFX>(10.0f, 0.25f, 0.5f));
    auto spriteOnly = Thing(false, true);
    spriteOnly->AddComponent<PunchFX>(std::make_shared<PunchFX>(10.0f, 0.25f, 0.5f));
    Frames(2);
    EXPECT_NEAR(ScaleOf(boxOnly).y, 5.0f, 1e-5f);
    EXPECT_NEAR(OpacityOf(spriteOnly), 0.0f, 1e-5f);
    Frames(3);
    EXPECT_FALSE(boxOnly->GetComponent<PunchFX>());
    EXPECT_FALSE(spriteOnly->GetComponent<PunchFX>());
    EXPECT_EQ(OpacityOf(spriteOnly), 1.0f);
}

TEST_F(EffectComponentTest, ANewPunchEndsTheRunningOneAndStartsFromTheTrueScale)
{
    Time::SetDt(0.125f);
    auto victim = Thing(true, true);
    victim->AddComponent<PunchFX>(std::make_shared<PunchFX>(10.0f, 0.25f, 0.5f));
    Frames(2);
    auto second = std::make_shared<PunchFX>(10.0f, 0.25f, 0.5f);
    victim->AddComponent<PunchFX>(second);
    EXPECT_EQ(second->GetBaseScale(), glm::vec2(2, 4));
    EXPECT_EQ(OpacityOf(victim), 1.0f);
    Frames(5);
    EXPECT_EQ(ScaleOf(victim), glm::vec2(2, 4));
}

TEST_F(EffectComponentTest, APunchWithoutDurationStaysFiniteAndGoes)
{
    auto victim = Thing(true, true);
    victim->AddComponent<PunchFX>(std::make_shared<PunchFX>(10.0f, 0.25f, 0.0f));
    Time::SetTimeScale(0.0f);
    Frame();
    EXPECT_TRUE(std::isfinite(ScaleOf(victim).x));
    EXPECT_EQ(ScaleOf(victim), glm::vec2(2, 4));
    Time::SetTimeScale(1.0f);
    Frame();
    EXPECT_FALSE(victim->GetComponent<PunchFX>());
}

} // namespace
