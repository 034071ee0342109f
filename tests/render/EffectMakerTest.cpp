#include "ParticleTestWorld.h"

#include "core/KeptFiles.h"
#include "core/Transform.h"
#include "render/BasicEmitter.h"
#include "render/KillClock.h"
#include "render/ParticleEffects.h"
#include "render/ParticleFile.h"
#include "render/ParticleSystem.h"
#include "render/SquareEmitter.h"
#include "render/StreakEmitter.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

const std::string kTestFiles = "../../../tests/data/particles/";

class EffectMakerTest : public EffectsTest {
protected:
    // Runs the newest entity, which a maker just added, for its lifetime:
    // it must have shown particles, still be there a frame before the end,
    // and be gone just after.
    void ExpectRemovedAfterItsLifetime(const std::string& what)
    {
        SCOPED_TRACE(what);
        const std::size_t before = EntityCount();
        std::shared_ptr<fb::Entity> effect = Newest();
        ASSERT_TRUE(effect);
        std::shared_ptr<KillClock> clock = effect->GetComponent<KillClock>();
        ASSERT_TRUE(clock);
        std::shared_ptr<ParticleSystem> system = effect->GetComponent<ParticleSystem>();
        ASSERT_TRUE(system);
        const int frames = FramesFor(clock->GetTimeLeft());
        std::size_t most = 0;
        for (int i = 0; i + 2 < frames; ++i) {
            Frame();
            most = std::max(most, system->GetParticles().size());
        }
        EXPECT_EQ(EntityCount(), before);
        EXPECT_GT(most, 0u);
        Frames(3);
        EXPECT_EQ(EntityCount(), before - 1);
    }
};

TEST_F(EffectMakerTest, EveryGameEffectSpawnsAndEndsWhenItShould)
{
    int finite = 0;
    int endless = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kParticleFolder)) {
        if (entry.path().extension() != ".json")
            continue;
        const std::string name = entry.path().stem().string();
        SCOPED_TRACE(name);
        const std::size_t before = EntityCount();
        MakeParticle(name, 2.0f, {1.0f, -1.0f}, false);
        ASSERT_EQ(EntityCount(), before + 1);
        std::shared_ptr<fb::Entity> effect = Newest();
        EXPECT_EQ(effect->GetName(), name + "Particles");
        if (effect->GetComponent<KillClock>()) {
            ++finite;
            ExpectRemovedAfterItsLifetime(name);
        } else {
            // An endless effect stays until its owner removes it.
            ++endless;
            EXPECT_EQ(effect->GetComponent<ParticleSystem>()->GetParticleCount(), -1);
            Frames(300);
            EXPECT_EQ(EntityCount(), before + 1);
            EXPECT_FALSE(effect->GetComponent<ParticleSystem>()->GetParticles().empty());
            EntityManager::Remove(effect);
            Frame();
        }
    }
    EXPECT_GE(finite + endless, 23);
    EXPECT_GT(endless, 0);
    EXPECT_TRUE(Complaints().empty()) << Complaints().front();
}

TEST_F(EffectMakerTest, TheCharacterEffectsAlwaysRemoveThemselves)
{
    MakeDoubleJumpParticle(1.0f, {0, 0}, true);
    EXPECT_EQ(Newest()->GetName(), "PunchParticles");
    ExpectRemovedAfterItsLifetime("double jump");
    MakePunchParticle(1.0f, {0, 0});
    EXPECT_EQ(Newest()->GetName(), "PunchParticles");
    ExpectRemovedAfterItsLifetime("punch");
    MakeLandingParticle(1.0f, {0, 0}, false);
    EXPECT_EQ(Newest()->GetName(), "PunchParticles");
    ExpectRemovedAfterItsLifetime("landing");
    MakeSquishParticle(7.5f, {0, 0});
    EXPECT_EQ(Newest()->GetName(), "SquishParticles");
    ExpectRemovedAfterItsLifetime("squish");
    EXPECT_TRUE(Complaints().empty()) << Complaints().front();
}

TEST_F(EffectMakerTest, JumpDustLastsFifteenDropsAndHalfASecond)
{
    MakeJumpParticle(1.0f, {2, 3});
    std::shared_ptr<fb::Entity> dust = Newest();
    EXPECT_EQ(dust->GetName(), "Jump Particle");
    EXPECT_NEAR(dust->GetComponent<KillClock>()->GetTimeLeft(), 0.53f, 1e-6f);
    EXPECT_EQ(dust->GetComponent<fb::cmp::Transform>()->GetPosition(), glm::vec2(2, 3));
    EXPECT_EQ(dust->GetComponent<ParticleSystem>()->GetParticleCount(), 15);
    ExpectRemovedAfterItsLifetime("jump");
}

TEST_F(EffectMakerTest, AnEntityForItsCallerHasNoTimerAndIsNotAdded)
{
    std::shared_ptr<fb::Entity> sparkle = MakeParticleEntity("Sparkle", 3.0f, {4, 5}, false);
    ASSERT_TRUE(sparkle);
    EXPECT_EQ(EntityCount(), 0u);
    EXPECT_EQ(sparkle->GetName(), "SparkleParticles");
    EXPECT_FALSE(sparkle->GetComponent<KillClock>());
    auto transform = sparkle->GetComponent<fb::cmp::Transform>();
    EXPECT_EQ(transform->GetPosition(), glm::vec2(4, 5));
    EXPECT_EQ(transform->GetScale(), glm::vec2(0, 0));
    EXPECT_TRUE(sparkle->GetComponent<ParticleSystem>()->GetEmitter());
}

TEST_F(EffectMakerTest, SizeGrowsTheParticlesTheirSpeedAndTheEmitter)
{
    std::shared_ptr<fb::Entity> hit = MakeParticleEntity("DravikHit", 6.0f, {0, 0}, false);
    auto system = hit->GetComponent<ParticleSystem>();
    EXPECT_FLOAT_EQ(system->GetScale(), 0.9f);
    EXPECT_FLOAT_EQ(system->GetEmitSpeed(), 12.0f);
    EXPECT_FLOAT_EQ(system->GetEmitSpeedVary(), 4.8f);
    auto emitter = std::dynamic_pointer_cast<BasicEmitter>(system->GetEmitter());
    ASSERT_TRUE(emitter);
    EXPECT_FLOAT_EQ(emitter->GetRadius(), 0.12f);
}

TEST_F(EffectMakerTest, AMirroredEffectIsFlippedLeftToRight)
{
    std::shared_ptr<fb::Entity> plain = MakeParticleEntity("Landing", 1.0f, {0, 0}, false);
    std::shared_ptr<fb::Entity> mirrored = MakeParticleEntity(kTestFiles + "no_emitter", 1.0f, {0, 0}, true);
    EXPECT_FLOAT_EQ(plain->GetComponent<ParticleSystem>()->GetEmitAngle(), 1.5707964f);
    EXPECT_FLOAT_EQ(mirrored->GetComponent<ParticleSystem>()->GetEmitAngle(), 3.1415927f - 0.5f);
}

TEST_F(EffectMakerTest, ThePortalFormSizesTheEmitterPerAxis)
{
    MakeParticle("ProtoPortal2", 1.0f, {0.5f, 1.5f}, {3, 0}, false);
    std::shared_ptr<fb::Entity> swirl = Newest();
    auto square = std::dynamic_pointer_cast<SquareEmitter>(swirl->GetComponent<ParticleSystem>()->GetEmitter());
    ASSERT_TRUE(square);
    EXPECT_EQ(square->GetSize(), glm::vec2(0.5f, 1.5f));
    EXPECT_FLOAT_EQ(swirl->GetComponent<ParticleSystem>()->GetScale(), 0.3f);
    EXPECT_FALSE(swirl->GetComponent<KillClock>()) << "an endless effect";
}

TEST_F(EffectMakerTest, AStreakGetsParticlesForItsWholeSweepAndEndsAfterTwiceIt)
{
    MakeStreak("Streak", 2.0f, {-3, 0}, false, {3, 0}, 1.0f, true);
    std::shared_ptr<fb::Entity> streak = Newest();
    ASSERT_TRUE(streak);
    auto system = streak->GetComponent<ParticleSystem>();
    // The file's 20 last 0.55 s; batches of 20 are added until 1 s is covered.
    EXPECT_EQ(system->GetParticleCount(), 120);
    EXPECT_TRUE(system->GetUseUnscaledTime());
    auto emitter = std::dynamic_pointer_cast<StreakEmitter>(system->GetEmitter());
    ASSERT_TRUE(emitter);
    EXPECT_EQ(emitter->GetStart(), glm::vec2(-3, 0));
    EXPECT_FLOAT_EQ(streak->GetComponent<KillClock>()->GetTimeLeft(), 2.0f);

    EntityManager::Remove(streak);
    Frame();

    // The screen wrap's streak: the file's own particles cover its sweep.
    MakeStreak("Streak", 2.0f, {-3, 0}, false, {3, 0}, 0.1f, false);
    streak = Newest();
    system = streak->GetComponent<ParticleSystem>();
    EXPECT_EQ(system->GetParticleCount(), 20);
    float rightmost = -10.0f;
    for (int i = 0; i < FramesFor(0.15f); ++i) {
        Frame();
        for (const Particle& particle : system->GetParticles())
            rightmost = std::max(rightmost, particle.position.x);
    }
    EXPECT_GT(rightmost, 2.5f) << "the sweep reached the end";
    ASSERT_EQ(EntityCount(), 1u);
    Frames(FramesFor(0.05f) + 1);
    EXPECT_EQ(EntityCount(), 0u);
}

TEST_F(EffectMakerTest, AMissingEffectIsTracedAndShowsNothing)
{
    MakeParticle("NoSuchEffect", 1.0f, {0, 0}, false);
    MakeParticle("NoSuchEffect", 1.0f, {1, 1}, {0, 0}, false);
    MakeStreak("NoSuchEffect", 1.0f, {0, 0}, false, {1, 1}, 0.1f, false);
    EXPECT_FALSE(MakeParticleEntity("NoSuchEffect", 1.0f, {0, 0}, false));
    EXPECT_EQ(EntityCount(), 0u);
    EXPECT_TRUE(Traced("Could not load file: NoSuchEffect.json", 4));
}

TEST_F(EffectMakerTest, AFileThatDoesNotParseOrHasNoCountShowsNothing)
{
    MakeParticle(kTestFiles + "unparsable", 1.0f, {0, 0}, false);
    EXPECT_TRUE(Traced("json parse error in MakeParticle", 3));
    MakeParticle(kTestFiles + "no_count", 1.0f, {0, 0}, false);
    MakeParticle(kTestFiles + "not_an_object", 1.0f, {0, 0}, false);
    EXPECT_EQ(EntityCount(), 0u);
}

TEST_F(EffectMakerTest, AnEffectWithoutAUsableEmitterStillAgesAndEnds)
{
    for (const char* file : {"no_emitter", "eliptical", "unknown_emitter", "transform_emitter"}) {
        MakeParticle(kTestFiles + file, 1.0f, {2, 2}, false);
        std::shared_ptr<ParticleSystem> system = Newest()->GetComponent<ParticleSystem>();
        EXPECT_FALSE(system->GetEmitter());
        Frame();
        for (const Particle& particle : system->GetParticles())
            EXPECT_EQ(particle.position, glm::vec2(2, 2));
        ExpectRemovedAfterItsLifetime(file);
    }
}

TEST_F(EffectMakerTest, EffectsWhoseDelaysAddUpToNothingStayBounded)
{
    MakeParticle(kTestFiles + "endless_without_delay", 1.0f, {0, 0}, false);
    std::shared_ptr<ParticleSystem> endless = Newest()->GetComponent<ParticleSystem>();
    Frames(60);
    // At most one particle every 0.1 ms, each living 0.2 s.
    EXPECT_LE(endless->GetParticles().size(), 2000u + 200u);

    MakeStreak(kTestFiles + "short_without_delay", 1.0f, {0, 0}, false, {5, 0}, 1.0f, false);
    std::shared_ptr<fb::Entity> streak = Newest();
    EXPECT_LE(streak->GetComponent<ParticleSystem>()->GetParticleCount(), 25);
    ExpectRemovedAfterItsLifetime("streak without delay");
}

} // namespace

namespace {

// An effect file in a scratch folder, reached from the particle folder.
class ScratchEffect {
public:
    ScratchEffect()
        : mFolder(std::filesystem::temp_directory_path() / ("vendrabolt-kept-" + std::to_string(::getpid())))
    {
        std::filesystem::create_directories(mFolder);
        mName = std::filesystem::relative(mFolder, kParticleFolder).generic_string() + "/effect";
    }
    ~ScratchEffect() { std::filesystem::remove_all(mFolder); }

    const std::string& Name() const { return mName; }
    std::string Path() const { return kParticleFolder + mName + ".json"; }
    // The test file of a short effect with the given particle lifetime.
    void Write(float lifetime) const
    {
        std::ifstream source(kParticleFolder + kTestFiles + "short_without_delay.json");
        std::stringstream text;
        text << source.rdbuf();
        std::string json = text.str();
        const std::string key = "\"particleLifetime\": 0.2";
        json.replace(json.find(key), key.size(), "\"particleLifetime\": " + std::to_string(lifetime));
        std::ofstream(Path()) << json;
    }
    void Remove() const { std::filesystem::remove(Path()); }

private:
    std::filesystem::path mFolder;
    std::string mName;
};

TEST_F(EffectMakerTest, AnEffectFileIsReadOnceUntilItIsForgotten)
{
    ScratchEffect file;
    auto spawnedLifetime = [&file]() -> float {
        std::shared_ptr<fb::Entity> effect = MakeParticleEntity(file.Name(), 1.0f, {0.0f, 0.0f}, false);
        return effect ? effect->GetComponent<ParticleSystem>()->GetTotalLifetime() : -1.0f;
    };

    EXPECT_EQ(spawnedLifetime(), -1.0f) << "no file yet";
    file.Write(0.5f);
    EXPECT_EQ(spawnedLifetime(), -1.0f) << "the missing file is remembered as missing";
    KeptFiles::Forget(file.Path());
    EXPECT_FLOAT_EQ(spawnedLifetime(), 0.5f);

    // The tool rewrites the file and then removes it: spawns go on from the
    // kept copy until the tool says that the file changed.
    file.Write(0.75f);
    file.Remove();
    EXPECT_FLOAT_EQ(spawnedLifetime(), 0.5f);
    file.Write(0.75f);
    KeptFiles::Forget("./" + file.Path());
    EXPECT_FLOAT_EQ(spawnedLifetime(), 0.75f);
}

} // namespace
