#include "MatchWorld.h"

#include "core/Transform.h"
#include "game/AISpawnerGlobals.h"
#include "game/SlimeMeteor.h"
#include "game/WrapperObject.h"
#include "physics/AdvancedBody.h"
#include "render/CamManager.h"
#include "render/KillClock.h"

#include <cmath>

namespace {

class MeteorAndWrapTest : public MatchWorld {
protected:
    void SetUp() override
    {
        MatchWorld::SetUp();
        PlugIn(4);
        EnterMatch("assets/levels/tutorial.json");
        GoalZones::SlimeStreak(nullptr);
        EntityFrame();
    }

    static std::shared_ptr<fb::Entity> Meteor()
    {
        for (const auto& entity : EntityManager::GetEntities()) {
            if (entity->GetComponent<SlimeMeteor>())
                return entity;
        }
        return nullptr;
    }

    int Rumbles() const
    {
        int changes = 0;
        for (const auto& pad : pads)
            changes += pad->RumbleChanges();
        return changes;
    }
};

TEST_F(MeteorAndWrapTest, FallsAnnouncesShakesAndBurstsIntoAliens)
{
    SpawnSlimeMeteor({-30.0f, 0.0f}, {10.0f, 0.0f}, 5.0f, 3);
    std::shared_ptr<fb::Entity> meteor = Meteor();
    ASSERT_NE(meteor, nullptr);
    EXPECT_EQ(meteor->GetComponent<SlimeMeteor>()->GetVelocity(), glm::vec2(8.0f, 0.0f));
    EXPECT_EQ(meteor->GetComponent<KillClock>()->GetTimeLeft(), 5.0f);
    auto transform = meteor->GetComponent<fb::cmp::Transform>();
    meteor.reset();

    // Paused, it waits in the air.
    Time::SetTimeScale(0.0f);
    const int rumblesBefore = Rumbles();
    for (int frame = 0; frame < 30; ++frame)
        EntityFrame();
    EXPECT_EQ(transform->GetPosition(), glm::vec2(-30.0f, 0.0f));
    Time::SetTimeScale(1.0f);

    int boomFrame = -1;
    int firstRumbleFrame = -1;
    int frame = 0;
    for (; Meteor() && frame < 400; ++frame) {
        EntityFrame();
        if (boomFrame < 0 && events->Count("meteorBoom") == 1)
            boomFrame = frame;
        if (firstRumbleFrame < 0 && Rumbles() > rumblesBefore)
            firstRumbleFrame = frame;
    }
    EXPECT_NEAR(frame, 5 * 60, 2);
    EXPECT_EQ(events->Count("meteorBoom"), 1);
    EXPECT_NEAR(boomFrame, static_cast<int>(3.5f * 60), 2);
    // Only in its last half second does the ground shake.
    EXPECT_GT(firstRumbleFrame, static_cast<int>(4.4f * 60));
    EXPECT_NEAR(transform->GetPosition().x, 10.0f, 0.3f);

    EXPECT_EQ(gNormalAliens.size(), 3u);
    EXPECT_EQ(EntitiesNamed("SlimeSplatParticles").size(), 1u);
    EXPECT_GE(std::fabs(gGameplayCamera->GetRotation()), 0.2f);
    for (const auto& pad : pads)
        EXPECT_GT(pad->HeavyMotor(), 0);
}

TEST_F(MeteorAndWrapTest, AMeteorClearedWithTheMatchMakesNoImpact)
{
    SpawnSlimeMeteor({-30.0f, 0.0f}, {10.0f, 0.0f}, 5.0f, 10);
    for (int frame = 0; frame < 120; ++frame)
        EntityFrame();
    ASSERT_NE(Meteor(), nullptr);
    EntityManager::Clear();
    EXPECT_TRUE(EntityManager::GetEntities().empty());
    EXPECT_TRUE(gNormalAliens.empty());
    EXPECT_EQ(gGameplayCamera->GetRotation(), 0.0f);

    // Without a camera the impact comes without its tilt.
    CamManager::SetActiveCamera(nullptr);
    SpawnSlimeMeteor({0.0f, 5.0f}, {0.0f, 0.0f}, 0.5f, 2);
    for (int frame = 0; frame < 40; ++frame)
        EntityFrame();
    EXPECT_EQ(Meteor(), nullptr);
    EXPECT_EQ(gNormalAliens.size(), 2u);
}

TEST_F(MeteorAndWrapTest, APlayerWhoLeavesTheLevelIsSentBackToItsSpawnPoint)
{
    const std::vector<LevelArea> spawns = GetSpawnPoints();
    ASSERT_GE(spawns.size(), 4u);
    const auto [width, height] = GetLevelSize();
    const float bottom = 0.5f - (static_cast<float>(height) - 3.0f) / 2.0f;
    const float right = (static_cast<float>(width) - 3.0f) / 2.0f + 0.5f;
    auto body = GetPlayer(2)->GetEntity()->GetComponent<fb::cmp::Transform>();
    auto wrapper = GetPlayer(2)->GetEntity()->GetComponent<WrapperObject>();
    ASSERT_NE(wrapper, nullptr);

    // Exactly on the bound is still inside.
    body->SetPosition(0.0f, bottom);
    wrapper->Update();
    EXPECT_EQ(body->GetPosition(), glm::vec2(0.0f, bottom));

    // Sent back at rest, whatever the speed it left at.
    auto motion = GetPlayer(2)->GetEntity()->GetComponent<fb::cmp::AdvancedBody>();
    motion->SetVelocity({30.0f, -900.0f});
    body->SetPosition(right + 1.0f, bottom - 1.0f);
    wrapper->Update();
    EXPECT_EQ(body->GetPosition(), glm::vec2(spawns[2].x, spawns[2].y));
    EXPECT_EQ(motion->GetVelocity(), glm::vec2(0.0f, 0.0f));
    EXPECT_EQ(EntitiesNamed("StreakParticles").size(), 1u);
    EXPECT_EQ(EntitiesNamed("DravikHitParticles").size(), 2u);

    // Anything else comes in from the other side at the speed it had.
    auto rock = std::make_shared<fb::Entity>("rock");
    auto rockWrapper = std::make_shared<WrapperObject>();
    rock->AddComponent(rockWrapper);
    rock->AddComponent(std::make_shared<fb::cmp::Transform>(glm::vec2(right + 0.25f, 0.0f), glm::vec2(1.0f), 0.0f));
    rock->AddComponent(std::make_shared<fb::cmp::AdvancedBody>(fb::CollisionLayer()));
    rock->GetComponent<fb::cmp::AdvancedBody>()->SetVelocity({12.0f, -3.0f});
    rockWrapper->Update();
    EXPECT_EQ(rock->GetComponent<fb::cmp::Transform>()->GetPosition().x, right + 0.25f - (width - 3.0f));
    EXPECT_EQ(rock->GetComponent<fb::cmp::AdvancedBody>()->GetVelocity(), glm::vec2(12.0f, -3.0f));

    // Without a level nothing is outside.
    LeaveMatch();
    rock->GetComponent<fb::cmp::Transform>()->SetPosition(1000.0f, -1000.0f);
    rockWrapper->Update();
    EXPECT_EQ(rock->GetComponent<fb::cmp::Transform>()->GetPosition(), glm::vec2(1000.0f, -1000.0f));
}

} // namespace
