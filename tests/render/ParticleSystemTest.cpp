#include "ParticleTestWorld.h"

#include "core/ComponentFactory.h"
#include "core/Transform.h"
#include "render/BasicEmitter.h"
#include "render/ParticleSystem.h"

#include <cmath>

namespace {

struct Settings {
    int count = 10;
    float scale = 1.0f;
    float delay = 0.01f;
    float delayVary = 0.0f;
    float angle = 0.0f;
    float angleVary = 0.0f;
    float speed = 0.0f;
    float speedVary = 0.0f;
    float life = 1.0f;
    float lifeVary = 0.0f;
    float drag = 0.0f;
};

std::shared_ptr<ParticleSystem> System(const Settings& s)
{
    return std::make_shared<ParticleSystem>(Texture("tests/data/render/red.png"), s.count, s.scale, s.delay,
                                            s.delayVary, s.angle, s.angleVary, s.speed, s.speedVary, s.life,
                                            s.lifeVary, s.drag, true, true);
}

class ParticleSystemTest : public EffectsTest {
protected:
    // An effect entity at `position` with the system and, unless told
    // otherwise, a still emitter (everything starts on the entity).
    std::shared_ptr<ParticleSystem> Effect(const Settings& s, glm::vec2 position = {0, 0},
                                           std::shared_ptr<ParticleEmitter> emitter =
                                               std::make_shared<BasicEmitter>(0.0f, 0.0f, 0.0f))
    {
        auto entity = std::make_shared<fb::Entity>("effect");
        entity->AddComponent<fb::cmp::Transform>(std::make_shared<fb::cmp::Transform>(position, glm::vec2(1, 1), 0));
        auto system = System(s);
        entity->AddComponent<ParticleSystem>(system);
        if (emitter)
            entity->AddComponent<ParticleEmitter>(emitter);
        EntityManager::Add(entity);
        return system;
    }
};

TEST_F(ParticleSystemTest, ACountOfZeroEmitsForEverAndReportsNoLifetimeBeforeItsFirstParticle)
{
    Settings s;
    s.count = 0;
    auto system = Effect(s);
    EXPECT_EQ(system->GetParticleCount(), -1);
    EXPECT_EQ(system->GetTotalLifetime(), 0.0f);
    Frames(120);
    EXPECT_EQ(system->GetParticleCount(), -1);
    EXPECT_FALSE(system->GetParticles().empty());
}

TEST_F(ParticleSystemTest, ShortDelaysEmitSeveralParticlesAFrameUntilTheCountIsUsedUp)
{
    Settings s;
    s.count = 20;
    s.delay = 0.002f;
    auto system = Effect(s);
    Frame();
    EXPECT_EQ(system->GetParticles().size(), 9u) << "the first comes at once, then one every 2 ms of the frame";
    Frame();
    EXPECT_EQ(system->GetParticles().size(), 17u);
    Frame();
    EXPECT_EQ(system->GetParticles().size(), 20u);
    EXPECT_EQ(system->GetParticleCount(), 0);
    Frames(5);
    EXPECT_EQ(system->GetParticles().size(), 20u);
}

TEST_F(ParticleSystemTest, TheFirstParticleMakesRoomForAllThatLiveAtOnce)
{
    Settings s;
    s.count = 0;
    s.delay = 0.02f;
    s.delayVary = 0.01f;
    s.life = 0.5f;
    s.lifeVary = 0.2f;
    auto system = Effect(s);
    Frame();
    const Particle* room = system->GetParticles().data();
    for (int i = 0; i < 120; ++i) {
        Frame();
        ASSERT_EQ(system->GetParticles().data(), room) << "the particles moved in frame " << i;
    }
    EXPECT_GT(system->GetParticles().size(), 20u);
}

TEST_F(ParticleSystemTest, TotalLifetimeIsTheLatestMomentTheLastParticleCanDie)
{
    Settings s;
    s.count = 10;
    s.delay = 0.25f;
    s.delayVary = 0.125f;
    s.life = 0.5f;
    s.lifeVary = 0.25f;
    EXPECT_FLOAT_EQ(System(s)->GetTotalLifetime(), 10 * 0.375f + 0.75f);
}

TEST_F(ParticleSystemTest, ScaleGrowsSizeAndStartSpeedOnly)
{
    Settings s;
    s.scale = 0.5f;
    s.speed = 3.0f;
    s.speedVary = 1.0f;
    s.angle = 0.25f;
    auto system = System(s);
    const float lifetime = system->GetTotalLifetime();
    system->Scale(2.0f);
    EXPECT_FLOAT_EQ(system->GetScale(), 1.0f);
    EXPECT_FLOAT_EQ(system->GetEmitSpeed(), 6.0f);
    EXPECT_FLOAT_EQ(system->GetEmitSpeedVary(), 2.0f);
    EXPECT_FLOAT_EQ(system->GetEmitAngle(), 0.25f);
    EXPECT_FLOAT_EQ(system->GetTotalLifetime(), lifetime);
}

TEST_F(ParticleSystemTest, ParticlesStartOnTheEntityAndMoveUnderTheForceThenDrag)
{
    Settings s;
    s.count = 1;
    s.speed = 6.0f;
    s.drag = 3.0f;
    auto system = Effect(s, {1, 2}, std::make_shared<BasicEmitter>(0.0f, 0.0f, -60.0f));
    Frame();
    ASSERT_EQ(system->GetParticles().size(), 1u);
    const Particle& particle = system->GetParticles().front();
    // v = (6, -1) after the wind; moved by it; then 3 x dt of it dragged off.
    EXPECT_NEAR(particle.position.x, 1.0f + 6.0f * kFrame, 1e-5f);
    EXPECT_NEAR(particle.position.y, 2.0f - 1.0f * kFrame, 1e-5f);
    EXPECT_NEAR(particle.velocity.x, 6.0f * (1.0f - 3.0f * kFrame), 1e-5f);
    EXPECT_NEAR(particle.velocity.y, -1.0f * (1.0f - 3.0f * kFrame), 1e-5f);
    EXPECT_NEAR(particle.life, 1.0f - kFrame, 1e-6f);
    EXPECT_FLOAT_EQ(particle.maxLife, 1.0f);
}

TEST_F(ParticleSystemTest, ADeadParticleGoesTheFrameAfterItsLifeRunsOut)
{
    Settings s;
    s.count = 1;
    s.life = 2.5f * kFrame;
    auto system = Effect(s);
    Frames(3);
    ASSERT_EQ(system->GetParticles().size(), 1u) << "drawn once more at life 0 or below";
    EXPECT_LE(system->GetParticles().front().life, 0.0f);
    Frame();
    EXPECT_TRUE(system->GetParticles().empty());
}

TEST_F(ParticleSystemTest, WithoutAnEmitterParticlesStayPutButStillAgeAndDie)
{
    Settings s;
    s.count = 0;
    s.delay = 0.05f;
    s.life = 0.2f;
    s.speed = 5.0f;
    auto system = Effect(s, {3, 4}, nullptr);
    Frames(600);
    // About four alive at a time: no pile-up from particles that never die.
    EXPECT_LE(system->GetParticles().size(), 6u);
    EXPECT_FALSE(system->GetParticles().empty());
    for (const Particle& particle : system->GetParticles()) {
        EXPECT_EQ(particle.position, glm::vec2(3, 4));
        EXPECT_LT(particle.life, 0.2f + 1e-6f);
    }
}

TEST_F(ParticleSystemTest, ANonPositiveLifetimeMakesNoParticleAndUsesNoCount)
{
    Settings s;
    s.count = 5;
    s.life = 0.0f;
    auto system = Effect(s);
    Frames(30);
    EXPECT_TRUE(system->GetParticles().empty());
    EXPECT_EQ(system->GetParticleCount(), 5);
}

TEST_F(ParticleSystemTest, DelaysThatAddUpToNoTimeStillEndTheFrame)
{
    Settings s;
    s.count = 0;
    s.delay = 0.0f;
    auto system = Effect(s);
    Frame();
    const std::size_t perFrame = system->GetParticles().size();
    EXPECT_GT(perFrame, 100u);
    EXPECT_LE(perFrame, static_cast<std::size_t>(kFrame / ParticleSystem::kMinEmitDelay) + 1);

    Settings negative = s;
    negative.delay = -1.0f;
    auto other = Effect(negative);
    Time::SetDt(10.0f);
    Frame();
    EXPECT_EQ(other->GetParticles().size(), static_cast<std::size_t>(ParticleSystem::kMaxSpawnsPerUpdate));

    Settings lifeless = s;
    lifeless.life = -1.0f;
    auto none = Effect(lifeless);
    Frame();
    EXPECT_TRUE(none->GetParticles().empty());
}

TEST_F(ParticleSystemTest, ExtendingRaisesTheCountUntilTheEffectLastsLongEnough)
{
    Settings s;
    s.count = 2;
    s.delay = 0.25f;
    s.life = 0.5f;
    auto system = System(s);
    system->ExtendToLifetime(3.0f, 4);
    EXPECT_EQ(system->GetParticleCount(), 10);
    EXPECT_FLOAT_EQ(system->GetTotalLifetime(), 3.0f);
}

TEST_F(ParticleSystemTest, ExtendingStopsWhenTheCountNoLongerLengthensTheEffect)
{
    Settings s;
    s.count = 2;
    s.delay = 0.0f;
    s.life = 0.5f;
    auto system = System(s);
    system->ExtendToLifetime(20.0f, 100);
    EXPECT_EQ(system->GetParticleCount(), 102);
    EXPECT_FLOAT_EQ(system->GetTotalLifetime(), 0.5f);

    Settings slowly = s;
    slowly.delay = 0.001f;
    slowly.count = 1;
    auto slow = System(slowly);
    slow->ExtendToLifetime(1e9f, 1);
    EXPECT_EQ(slow->GetParticleCount(), 1001) << "at most a thousand steps";
}

TEST_F(ParticleSystemTest, TheEmitterIsFoundWhicheverIsAddedFirst)
{
    auto emitter = std::make_shared<BasicEmitter>(0.0f, 0.0f, 0.0f);
    auto later = std::make_shared<fb::Entity>("emitter added after");
    auto system = System({});
    later->AddComponent<ParticleSystem>(system);
    EXPECT_FALSE(system->GetEmitter());
    later->AddComponent<ParticleEmitter>(emitter);
    EXPECT_EQ(system->GetEmitter(), emitter);

    // The archetype builder stores an emitter under its own class.
    auto earlier = std::make_shared<fb::Entity>("emitter added before");
    earlier->AddComponent(std::static_pointer_cast<fb::cmp::Component>(emitter));
    auto second = System({});
    earlier->AddComponent<ParticleSystem>(second);
    EXPECT_EQ(second->GetEmitter(), emitter);
}

TEST_F(ParticleSystemTest, ACopySharesTheEmitterAndCopiesTheLiveParticles)
{
    Settings s;
    s.count = 3;
    s.delay = 0.001f;
    auto system = Effect(s);
    Frame();
    std::unique_ptr<ParticleSystem> copy(system->Clone());
    EXPECT_EQ(copy->GetEmitter(), system->GetEmitter());
    EXPECT_EQ(copy->GetParticles().size(), 3u);
    EXPECT_EQ(copy->GetOwner().lock(), system->GetOwner().lock());
}

TEST_F(ParticleSystemTest, OnlyAnUnscaledSystemRunsWhileThePlayIsPaused)
{
    Settings s;
    s.count = 0;
    auto scaled = Effect(s);
    auto unscaled = Effect(s);
    unscaled->SetUseUnscaledTime(true);
    Time::SetTimeScale(0.0f);
    Frames(10);
    EXPECT_EQ(scaled->GetParticles().size(), 1u) << "the first particle comes with the first update";
    EXPECT_GT(unscaled->GetParticles().size(), 5u);
}

} // namespace
