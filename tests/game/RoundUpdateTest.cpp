#include "CharacterTestRig.h"
#include "game/RoundUpdate.h"
#include "game/SlimeUI.h"
#include "level/WrapBounds.h"
#include "render/CamManager.h"
#include "render/PopupNumber.h"
#include "render/PopupText.h"

namespace {

// Players on the tutorial level, run in the match's frame order with the
// real round update in place of the rig's ground rules.
class RoundUpdateTest : public CharacterWorld {
protected:
    void SetUp() override
    {
        CharacterWorld::SetUp();
        StartSlimeDisplay();
        StartPlayers(2, {-4.0f, 4.0f});
        log->events.clear();
    }

    static void RoundFrame()
    {
        UpdateRound();
        Game::UpdateWorld();
    }

    static glm::vec2 ZoneCentre(int zone)
    {
        return gZones.at(static_cast<std::size_t>(zone)).entity->GetComponent<fb::cmp::Transform>()->GetPosition();
    }

    // Holds the player in the middle of a zone (the zones hang in the air).
    static void StandIn(int player, int zone)
    {
        Teleport(player, ZoneCentre(zone));
        Player(player)->SetGrounded(true);
    }

    // Frames in the zone until the player has delivered `count` values.
    int FramesToDeliver(int player, int zone, int count)
    {
        const auto delivered = [this] { return log->Count("slimeDeliver") + log->Count("slimeGold"); };
        const int start = delivered();
        for (int frame = 1; frame <= 600; ++frame) {
            StandIn(player, zone);
            RoundFrame();
            if (delivered() - start >= count)
                return frame;
        }
        return -1;
    }

    template <typename T>
    static std::vector<std::shared_ptr<T>> Live()
    {
        std::vector<std::shared_ptr<T>> found;
        for (const auto& entity : EntityManager::GetEntities()) {
            if (auto component = entity->GetComponent<T>())
                found.push_back(component);
        }
        return found;
    }

    static bool PopupSays(const std::string& text)
    {
        for (const auto& popup : Live<PopupText>()) {
            if (popup->GetText() == text)
                return true;
        }
        return false;
    }
};

TEST_F(RoundUpdateTest, TheActiveZoneTakesOneValueASecondSmallestFirst)
{
    Player(0)->AddSlime(5);
    Player(0)->AddSlime(1);
    const int active = GoalZones::GetZoneIndices().first;

    const int first = FramesToDeliver(0, active, 1);
    EXPECT_GE(first, 59);
    EXPECT_LE(first, 61);
    EXPECT_EQ(log->Count("slimeDeliver"), 1);
    EXPECT_EQ(Player(0)->GetSlimeStack(), (std::vector<std::int32_t>{5}));
    bool five = false;
    for (const auto& number : Live<PopupNumber>())
        five = five || number->GetNumber() == 5;
    EXPECT_TRUE(five);

    const int second = FramesToDeliver(0, active, 1);
    EXPECT_GE(second, 59);
    EXPECT_LE(second, 61);
    EXPECT_EQ(log->Count("slimeGold"), 1);
    EXPECT_TRUE(Player(0)->GetSlimeStack().empty());
    EXPECT_TRUE(PopupSays("EMPTY!"));
    // The events carry no entity.
    for (const auto& entry : log->events) {
        if (entry.name == "slimeGold" || entry.name == "slimeDeliver") {
            EXPECT_FALSE(entry.entity);
        }
    }

    // With nothing carried the timer rests.
    for (int frame = 0; frame < 30; ++frame) {
        StandIn(0, active);
        RoundFrame();
    }
    EXPECT_EQ(Player(0)->GetDeliveryTimer(), 1.0f);
}

TEST_F(RoundUpdateTest, AnExpiredTimerDeliversOnTheFirstFrame)
{
    Player(1)->AddSlime(1);
    Player(1)->SetDeliveryTimer(0.0f);
    EXPECT_EQ(FramesToDeliver(1, GoalZones::GetZoneIndices().first, 1), 1);
    EXPECT_EQ(Player(1)->GetDeliveryTimer(), 1.0f);
}

TEST_F(RoundUpdateTest, AnInactiveZoneTakesNothing)
{
    ASSERT_GE(gZones.size(), 2u);
    const int inactive = (GoalZones::GetZoneIndices().first + 1) % static_cast<int>(gZones.size());
    Player(0)->AddSlime(1);
    EXPECT_EQ(FramesToDeliver(0, inactive, 1), -1);
    EXPECT_EQ(Player(0)->GetSlimeTotal(), 1);
}

TEST_F(RoundUpdateTest, LandingOnAnAlienTakesItAndBouncesUp)
{
    // An alien held on the floor away from the players until its launch
    // phase is over; then player 1 drops onto it.
    AISpawner::SpawnAlienAt(AlienKind::Normal, {12.0f, kFloorTop + 0.6f}, {0.0f, 0.0f}, "");
    for (int frame = 0; frame < 120; ++frame) {
        ASSERT_EQ(gNormalAliens.size(), 1u);
        gNormalAliens.back().entity->GetComponent<fb::cmp::Transform>()->SetPosition(12.0f, kFloorTop + 0.6f);
        AISpawner::UpdateAlien(gNormalAliens.back(), kFrame);
        RoundFrame();
    }
    gNormalAliens.back().entity->GetComponent<fb::cmp::AdvancedBody>()->SetVelocity({0.0f, 0.0f});
    const float jump = CharacterGlobals::GetJumpSpeed();

    bool took = false;
    const glm::vec2 under = gNormalAliens.back().entity->GetComponent<fb::cmp::Transform>()->GetPosition();
    Teleport(1, {under.x, under.y + 2.0f}, {0.0f, -5.0f});
    for (int frame = 0; frame < 60 && !took; ++frame) {
        const float falling = Velocity(1).y;
        UpdateRound();
        took = Player(1)->GetSlimeTotal() == 1;
        if (took) {
            // Up from at least 0, whatever the fall.
            EXPECT_LT(falling, 0.0f);
            EXPECT_FLOAT_EQ(Velocity(1).y, jump / 5.0f);
            EXPECT_TRUE(Player(1)->CanAirJump());
            EXPECT_TRUE(Player(1)->HasDoubleJump());
        }
        EntityManager::Update();
        Input::Update();
    }
    EXPECT_TRUE(took);
    EXPECT_TRUE(gNormalAliens.empty());
    EXPECT_EQ(log->Count("slimePickup"), 1);
}

TEST_F(RoundUpdateTest, LandingAndFallingSwitchGravity)
{
    Frames(1);
    RoundFrame();
    EXPECT_TRUE(Player(0)->IsGrounded());
    Body(0)->GetComponent<fb::cmp::AdvancedBody>()->SetAcceleration({0.0f, 0.0f});

    Teleport(0, {-4.0f, 0.0f});
    Player(0)->SetStunned(true);
    RoundFrame();
    EXPECT_FALSE(Player(0)->IsGrounded());
    EXPECT_TRUE(Player(0)->CanAirJump());
    EXPECT_EQ(Body(0)->GetComponent<fb::cmp::AdvancedBody>()->GetAcceleration().y, CharacterGlobals::GetGravity());

    for (int frame = 0; frame < 240 && !Player(0)->IsGrounded(); ++frame)
        RoundFrame();
    EXPECT_TRUE(Player(0)->IsGrounded());
    EXPECT_TRUE(Player(0)->CanAct());
    EXPECT_EQ(Velocity(0).y, 0.0f);
    EXPECT_EQ(Body(0)->GetComponent<fb::cmp::AdvancedBody>()->GetAcceleration(), glm::vec2(0.0f, 0.0f));
}

TEST_F(RoundUpdateTest, AStunnedPlayerRecoversAtAWall)
{
    // The free-standing wall left of the middle: its right face is at x -24.
    Teleport(0, {-24.0f + kHalfBody + 0.3f, 2.0f}, {-10.0f, 0.0f});
    Player(0)->SetStunned(true);
    for (int frame = 0; frame < 30 && !Player(0)->CanAct(); ++frame)
        RoundFrame();
    EXPECT_TRUE(Player(0)->CanAct());
    EXPECT_FALSE(Player(0)->IsGrounded());
    EXPECT_FALSE(Player(0)->IsJumpHeld());
}

TEST_F(RoundUpdateTest, TheCameraLeadsEachPlayerByHalfItsVelocityPastTheLevelsEdge)
{
    // Player 0 runs at full speed toward the right edge, half a tile inside it.
    const float edge = GetWrapBounds()->high.x;
    Teleport(0, {edge - 0.5f, kFloorTop + kHalfBody}, {CharacterGlobals::GetMaxSpeed(), 0.0f});
    auto camera = std::make_shared<CamManager::Camera>();
    camera->SetFollow(true);
    CamManager::SetActiveCamera(camera);
    const glm::vec2 lead[] = {Position(0) + Velocity(0) * 0.5f, Position(1) + Velocity(1) * 0.5f};
    ASSERT_GT(lead[0].x, edge + 5.0f);

    // Beside a point of weight 6 at the origin, two players' points of
    // weight 3 each; a whole second's step puts the camera on their mean.
    UpdateRound();
    CamManager::AddFocusPoint(0.0f, 0.0f, 6);
    CamManager::Update(1.0f);
    const glm::vec2 centre = (lead[0] + lead[1]) * 0.25f;
    EXPECT_NEAR(camera->GetPosition().x, centre.x, 1e-4f);
    EXPECT_NEAR(camera->GetPosition().y, centre.y, 1e-4f);
}

TEST_F(RoundUpdateTest, NothingHappensWhileTheGameIsPaused)
{
    Player(0)->AddSlime(1);
    Player(0)->SetDeliveryTimer(0.0f);
    Player(0)->TickCooldown(-0.5f);
    Time::SetTimeScale(0.0f);
    Time::SetDt(kFrame);
    for (int frame = 0; frame < 10; ++frame) {
        StandIn(0, GoalZones::GetZoneIndices().first);
        UpdateRound();
    }
    EXPECT_EQ(Player(0)->GetSlimeTotal(), 1);
    EXPECT_EQ(Player(0)->GetCooldown(), 0.5f);
    EXPECT_EQ(log->Count("slimeDeliver"), 0);
}

TEST_F(RoundUpdateTest, TheCooldownRunsOnUnscaledTime)
{
    Player(0)->TickCooldown(-0.5f);
    Time::SetTimeScale(0.5f);
    Time::SetDt(kFrame);
    UpdateRound();
    EXPECT_FLOAT_EQ(Player(0)->GetCooldown(), 0.5f - kFrame);
}

} // namespace
