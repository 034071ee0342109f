#include "CharacterTestRig.h"
#include "game/FistComponent.h"
#include "render/PunchFX.h"
#include "support/TakeEveryCollider.h"

namespace {

// Two players on the floor a little apart, player 0 on the left facing right.
class PunchTest : public CharacterWorld {
protected:
    void SetUp() override
    {
        CharacterWorld::SetUp();
        StartPlayers(2, {0.0f, 1.6f});
        log->events.clear();
    }

    void Punch(int pad)
    {
        Pad(pad).Press(SDL_CONTROLLER_BUTTON_B);
        Frame();
        Pad(pad).Release(SDL_CONTROLLER_BUTTON_B);
    }

    static glm::vec2 CameraShake()
    {
        const glm::mat3& view = CamManager::GetViewMatrix();
        return {view[2][0], view[2][1]};
    }

    static std::shared_ptr<fb::cmp::FistComponent> FistOf(int player)
    {
        for (const auto& entity : EntityManager::GetEntities()) {
            if (entity->GetName() == "fist" && entity->GetParent() == Body(player))
                return entity->GetComponent<fb::cmp::FistComponent>();
        }
        return nullptr;
    }
};

TEST_F(PunchTest, AHitStunsKnocksBackAndShakesSlimeOut)
{
    Player(1)->AddSlime(1);
    Player(1)->AddSlime(5);
    Player(1)->AddSlime(1);
    const std::size_t aliensBefore = gNormalAliens.size();
    EXPECT_EQ(CameraShake(), glm::vec2(0.0f, 0.0f));

    Punch(0);

    EXPECT_FALSE(Player(1)->CanAct());
    EXPECT_EQ(Velocity(1), glm::vec2(1.5f * 12.0f, 0.5f * 22.0f));
    EXPECT_TRUE(Body(1)->GetComponent<PunchFX>());
    EXPECT_EQ(Player(1)->GetSlimeStack(), (std::vector<std::int32_t>{5}));
    EXPECT_EQ(gNormalAliens.size(), aliensBefore + 2);
    EXPECT_EQ(log->Count("punchHit"), 1);
    EXPECT_EQ(log->Count("punchHit", Body(0)), 1);
    // The attacker's own body is in the box too.
    EXPECT_EQ(log->Count("punchMiss", Body(0)), 1);
    EXPECT_EQ(Player(0)->GetCooldown(), 0.5f);
    EXPECT_NE(CameraShake(), glm::vec2(0.0f, 0.0f));
    for (int pad = 0; pad < 2; ++pad) {
        SCOPED_TRACE(pad);
        EXPECT_EQ(Pad(pad).HeavyMotor(), 32767);
        EXPECT_EQ(Pad(pad).LightMotor(), 65535);
    }

    // The victim flies off and its pad no longer steers it.
    Pad(1).SetStick(-1.0f, 0.0f);
    Frames(3);
    EXPECT_GT(Velocity(1).x, 17.0f);
    EXPECT_GT(Position(1).x, 2.0f);
    // The rumble stops once its time is up.
    Frames(20);
    EXPECT_EQ(Pad(0).HeavyMotor(), 0);
}

TEST_F(PunchTest, AStunnedPlayerOnlyDropsSlime)
{
    Player(1)->AddSlime(5);
    Player(1)->SetStunned(true);
    const std::size_t goldenBefore = gGoldenAliens.size();

    Punch(0);

    EXPECT_EQ(log->Count("punchHit"), 0);
    EXPECT_EQ(log->Count("punchMiss"), 1);
    EXPECT_EQ(Velocity(1), glm::vec2(0.0f, 0.0f));
    EXPECT_FALSE(Body(1)->GetComponent<PunchFX>());
    EXPECT_EQ(CameraShake(), glm::vec2(0.0f, 0.0f));
    EXPECT_EQ(Pad(1).HeavyMotor(), 0);
    EXPECT_EQ(Player(1)->GetSlimeTotal(), 0);
    EXPECT_EQ(gGoldenAliens.size(), goldenBefore + 1);
    EXPECT_FALSE(Player(1)->CanAct());
}

TEST_F(PunchTest, NothingInTheBoxIsAMiss)
{
    Teleport(1, {10.0f, kFloorTop + kHalfBody});
    Frames(3);
    log->events.clear();
    Punch(0);
    EXPECT_EQ(log->Count("punchMiss", Body(0)), 1);
    EXPECT_EQ(log->Count("punchHit"), 0);
    EXPECT_TRUE(Player(1)->CanAct());
    EXPECT_EQ(Pad(0).HeavyMotor(), 0);
}

TEST_F(PunchTest, TheCoolDownHoldsForHalfASecond)
{
    Punch(0);
    ASSERT_EQ(log->Count("punchHit"), 1);
    Player(1)->SetStunned(false);
    Teleport(1, {1.6f, kFloorTop + kHalfBody});
    log->events.clear();

    Frames(5);
    Punch(0);
    EXPECT_TRUE(log->events.empty());
    EXPECT_TRUE(Player(1)->CanAct());

    for (int i = 0; i < 40 && Player(0)->GetCooldown() > 0.0f; ++i)
        Frame();
    Teleport(1, {1.6f, kFloorTop + kHalfBody});
    Frames(2);
    Punch(0);
    EXPECT_EQ(log->Count("punchHit"), 1);
}

TEST_F(PunchTest, APunchWithNoDirectionGoesTheWayTheAttackerFaces)
{
    // Player 1 punches player 0, who stands on its left.
    Body(1)->GetComponent<Sprite>()->SetFlipped(true);
    Punch(1);
    EXPECT_EQ(log->Count("punchHit", Body(1)), 1);
    EXPECT_FALSE(Player(0)->CanAct());
    // Player 0 is further left: it is thrown left.
    EXPECT_EQ(Velocity(0), glm::vec2(-18.0f, 11.0f));
}

TEST_F(PunchTest, APunchUpMissesAPlayerAlongside)
{
    Pad(0).SetStick(0.0f, 1.0f);
    Punch(0);
    EXPECT_EQ(log->Count("punchHit"), 0);
    EXPECT_TRUE(Player(1)->CanAct());
}

TEST_F(PunchTest, TheAttackersFistSwingsAndTheOtherDoesNot)
{
    auto fist0 = FistOf(0);
    auto fist1 = FistOf(1);
    ASSERT_TRUE(fist0 && fist1);
    Teleport(1, {10.0f, kFloorTop + kHalfBody});
    Frames(2);
    Punch(0);
    EXPECT_TRUE(fist0->IsPunching());
    EXPECT_FALSE(fist1->IsPunching());
    Frames(20);
    EXPECT_FALSE(fist0->IsPunching());
}

TEST_F(PunchTest, WithoutAFreeColliderThePunchDoesNothing)
{
    TakeEveryCollider();
    Punch(0);
    EXPECT_TRUE(log->events.empty());
    EXPECT_TRUE(Player(1)->CanAct());
    EXPECT_EQ(Player(0)->GetCooldown(), 0.5f);
}

TEST_F(PunchTest, ABodyNamedForAnAbsentPlayerIsPassedOver)
{
    Teleport(1, {10.0f, kFloorTop + kHalfBody});
    auto stranger = std::make_shared<fb::Entity>("Player 3");
    stranger->AddComponent(std::make_shared<fb::cmp::Transform>(glm::vec2(1.6f, kFloorTop + kHalfBody),
                                                                glm::vec2(1.5f), 0.0f));
    EntityManager::Add(stranger);
    fb::BoxCollider* collider = GetBoxCollider();
    collider->SetParent(stranger);
    collider->SetLayer(fb::CollisionLayer(4, 0));
    collider->SetBound(true);
    Frames(2);
    log->events.clear();

    Punch(0);
    EXPECT_EQ(log->Count("punchMiss"), 1);
    EXPECT_EQ(log->Count("punchHit"), 0);
    FreeBoxCollider(collider->GetID());
}

TEST_F(PunchTest, PunchingAGiantKnocksAliensOutOfIt)
{
    Teleport(1, {10.0f, kFloorTop + kHalfBody});
    AISpawner::SpawnAlienAt(AlienKind::Giant, {2.5f, kFloorTop + 1.5f}, {0.0f, 0.0f}, "");
    ASSERT_EQ(gGiantAliens.size(), 1u);
    const std::shared_ptr<fb::Entity> giant = gGiantAliens.front().entity;
    // Its arrival shakes the camera too; let that die down.
    Frames(20);
    giant->GetComponent<fb::cmp::Transform>()->SetPosition(2.5f, kFloorTop + 1.5f);
    const float weight = gGiantAliens.front().weight;
    const std::size_t thrownBefore = gNormalAliens.size() + gGoldenAliens.size();
    Frame();
    ASSERT_EQ(CameraShake(), glm::vec2(0.0f, 0.0f));
    log->events.clear();

    Punch(0);
    EXPECT_EQ(log->Count("punchHit", Body(0)), 1);
    ASSERT_EQ(gGiantAliens.size(), 1u);
    EXPECT_EQ(gGiantAliens.front().weight, weight - 2.0f);
    EXPECT_EQ(gNormalAliens.size() + gGoldenAliens.size(), thrownBefore + 2);
    EXPECT_EQ(Pad(0).LightMotor(), 65535);
    EXPECT_EQ(Pad(1).LightMotor(), 0);
    EXPECT_NE(CameraShake(), glm::vec2(0.0f, 0.0f));
}

} // namespace
