#include "CharacterTestRig.h"
#include "game/CharacterEvents.h"
#include "game/FistComponent.h"

#include <cmath>

namespace {

class PlayerTest : public CharacterWorld {
protected:
    static std::vector<std::shared_ptr<fb::Entity>> Fists()
    {
        std::vector<std::shared_ptr<fb::Entity>> fists;
        for (const auto& entity : EntityManager::GetEntities()) {
            if (entity->GetName() == "fist")
                fists.push_back(entity);
        }
        return fists;
    }
};

TEST_F(PlayerTest, WithNoPadThereIsOnePlayerWithARedFist)
{
    Input::Init();
    CreatePlayers();
    ASSERT_EQ(GetPlayerCount(), 1);
    EXPECT_EQ(Body(0)->GetName(), "Player 0");
    EXPECT_FALSE(IsPlayerControlEnabled());
    // The bodies wait for ActivatePlayers; the fists are in already.
    const auto fists = Fists();
    ASSERT_EQ(fists.size(), 1u);
    for (const auto& entity : EntityManager::GetEntities())
        EXPECT_NE(entity, Body(0));
    auto sprite = fists[0]->GetComponent<Sprite>();
    ASSERT_TRUE(sprite);
    EXPECT_EQ(sprite->GetTexture().name, "assets/img/RedFist.png");
    EXPECT_EQ(sprite->GetLayer(), 3);
    EXPECT_EQ(fists[0]->GetComponent<fb::cmp::Transform>()->GetLocalScale(), glm::vec2(1.1f, 1.1f));
    EXPECT_EQ(fists[0]->GetParent(), Body(0));
    EXPECT_TRUE(fists[0]->GetComponent<fb::cmp::FistComponent>());
}

TEST_F(PlayerTest, EachPadGetsAPlayerBuiltFromItsArchetype)
{
    StartPlayers(3, {-5.0f, -18.0f, 5.0f});
    ASSERT_EQ(GetPlayerCount(), 3);
    const char* const bodies[] = {"./assets/img/PlayerRed.png", "./assets/img/PlayerBlue.png",
                                  "./assets/img/PlayerYellow.png"};
    const char* const fists[] = {"assets/img/RedFist.png", "assets/img/BlueFist.png", "assets/img/YellowFist.png"};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(Player(i)->GetPlayerIndex(), i);
        EXPECT_EQ(Body(i)->GetName(), "Player " + std::to_string(i));
        EXPECT_EQ(Body(i)->GetComponent<Sprite>()->GetTexture().name, bodies[i]);
        EXPECT_EQ(Body(i)->GetComponent<fb::cmp::Transform>()->GetScale(), glm::vec2(1.5f, 1.5f));
        auto body = Body(i)->GetComponent<fb::cmp::AdvancedBody>();
        ASSERT_TRUE(body);
        EXPECT_EQ(body->GetLayer().layer, 4);
        EXPECT_EQ(body->GetLayer().mask, 2);
        EXPECT_EQ(Fists()[static_cast<std::size_t>(i)]->GetComponent<Sprite>()->GetTexture().name, fists[i]);
        EXPECT_TRUE(Player(i)->IsGrounded());
        EXPECT_NEAR(Position(i).x, (std::vector<float>{-5.0f, -18.0f, 5.0f})[static_cast<std::size_t>(i)], 1e-4f);
    }
    EXPECT_TRUE(IsPlayerControlEnabled());
    EXPECT_EQ(GetPlayer(3), nullptr);
    EXPECT_EQ(GetPlayer(-1), nullptr);

    // Every detector set was made: the feet find the floor through set 2.
    EXPECT_TRUE(Body(0)->GetComponent<fb::cmp::AdvancedBody>()->CollisionDetected(2, fb::cmp::AdvancedBody::Bottom));
}

TEST_F(PlayerTest, FourPadsMakeFourPlayersAndAFifthChangesNothing)
{
    pads = PlugInPads(4);
    Input::Init();
    CreatePlayers();
    EXPECT_EQ(GetPlayerCount(), 4);
    EXPECT_EQ(Body(3)->GetComponent<Sprite>()->GetTexture().name, "./assets/img/PlayerGrey.png");
    EXPECT_EQ(Fists()[3]->GetComponent<Sprite>()->GetTexture().name, "assets/img/GreyFist.png");
}

TEST_F(PlayerTest, DestroyingThePlayersEmptiesTheListAndTurnsControlOff)
{
    StartPlayers(2, {0.0f, 5.0f});
    Player(0)->AddSlime(1);
    Player(1)->AddSlime(5);
    ClearAllSlime();
    EXPECT_EQ(Player(0)->GetSlimeTotal(), 0);
    EXPECT_EQ(Player(1)->GetSlimeTotal(), 0);

    const std::weak_ptr<fb::Entity> body = Body(0);
    const std::size_t entities = EntityManager::GetEntities().size();
    DestroyPlayers();
    EXPECT_EQ(GetPlayerCount(), 0);
    EXPECT_FALSE(IsPlayerControlEnabled());
    EXPECT_EQ(GetPlayer(0), nullptr);
    // The bodies stay in the entity manager until it is cleared.
    EXPECT_FALSE(body.expired());
    EXPECT_EQ(EntityManager::GetEntities().size(), entities);
    Frames(3);
}

TEST_F(PlayerTest, AFistTrailsItsRunningPlayer)
{
    StartPlayers(1, {-20.0f});
    const auto fist = Fists()[0];
    Frames(2);
    EXPECT_EQ(fist->GetComponent<fb::cmp::Transform>()->GetPosition(), Position(0));

    Pad(0).SetStick(1.0f, 0.0f);
    Frames(20);
    Pad(0).SetStick(0.0f, 0.0f);
    // Lagging is set before the body moves on, from the speed of then.
    const float speed = Velocity(0).x;
    EntityManager::Update();
    EXPECT_FLOAT_EQ(fist->GetComponent<fb::cmp::Transform>()->GetLocalPosition().x, speed * -0.02f);
}

TEST_F(PlayerTest, AFistSwingsOutOnTheFacingSideAndFreezesWhilePaused)
{
    StartPlayers(1, {-20.0f});
    const auto fist = Fists()[0];
    auto motion = fist->GetComponent<fb::cmp::FistComponent>();
    auto transform = fist->GetComponent<fb::cmp::Transform>();
    Body(0)->GetComponent<Sprite>()->SetFlipped(true);

    // Another player's punch changes nothing.
    Character other(1);
    other.SetEntity(std::make_shared<fb::Entity>("Player 1"));
    RaisePunchHitEvent(other);
    EXPECT_FALSE(motion->IsPunching());
    RaisePunchMissEvent(*Player(0));
    ASSERT_TRUE(motion->IsPunching());
    Time::SetDt(0.0625f);
    EntityManager::Update();
    EXPECT_FLOAT_EQ(transform->GetLocalPosition().x, -1.5f * std::sin(0.0625f * 12.566371f));
    EXPECT_EQ(transform->GetLocalPosition().y, 0.0f);

    Time::SetTimeScale(0.0f);
    const glm::vec2 frozen = transform->GetLocalPosition();
    EntityManager::Update();
    EXPECT_EQ(transform->GetLocalPosition(), frozen);
    EXPECT_TRUE(motion->IsPunching());

    Time::SetTimeScale(1.0f);
    for (int i = 0; i < 4; ++i)
        EntityManager::Update();
    EXPECT_FALSE(motion->IsPunching());
    Time::SetDt(kFrame);
}

} // namespace
