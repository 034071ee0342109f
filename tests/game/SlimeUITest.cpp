#include "CharacterTestRig.h"
#include "game/SlimeUI.h"
#include "render/PunchFX.h"

#include <cmath>

namespace {

// The display on the tutorial level, with real players and aliens.
class SlimeUITest : public CharacterWorld {
protected:
    void SetUp() override
    {
        CharacterWorld::SetUp();
        SlimeUI::Initialize();
        ReadPieces();
    }

    void StartWith(int pads)
    {
        StartPlayers(pads, {-6.0f, -2.0f, 2.0f, 6.0f});
        // The match start's protocol: hide, then show.
        SlimeUI::Update(false);
        SlimeUI::Update(true);
    }

    // The newest display entities as the entity manager received them: the
    // four levels, then the four magazines, then the four boxes.
    void ReadPieces()
    {
        pieces.clear();
        for (const auto& entity : EntityManager::GetEntities()) {
            const std::string name = entity->GetName();
            if (name.find("slime contents") != std::string::npos || name == "slimebox" || name == "slimemagazine")
                pieces.push_back(entity);
        }
        ASSERT_GE(pieces.size(), 12u);
        pieces.erase(pieces.begin(), pieces.end() - 12);
    }
    std::shared_ptr<fb::Entity> Level(int k) const { return pieces.at(static_cast<std::size_t>(k)); }
    std::shared_ptr<fb::Entity> Magazine(int k) const { return pieces.at(static_cast<std::size_t>(4 + k)); }
    std::shared_ptr<fb::Entity> Box(int k) const { return pieces.at(static_cast<std::size_t>(8 + k)); }
    static float Opacity(const std::shared_ptr<fb::Entity>& entity) { return entity->GetComponent<Sprite>()->GetOpacity(); }
    float LevelHeight(int k) const
    {
        return Level(k)->GetComponent<fb::cmp::Transform>()->GetScale().y;
    }
    float FullHeight(int k) const { return 0.95f * SlimeUI::GetSlimeboxScale(k).y; }

    static int Splashes()
    {
        int count = 0;
        for (const auto& entity : EntityManager::GetEntities())
            count += entity->GetName() == "SquishParticles" ? 1 : 0;
        return count;
    }

    static void Deliver(int player, int times, int amount = 1)
    {
        for (int i = 0; i < times; ++i)
            SlimeUI::UpdatePlayer(amount, player);
    }

    std::vector<std::shared_ptr<fb::Entity>> pieces;
};

TEST_F(SlimeUITest, InitializeBuildsHiddenPiecesInTheirOrder)
{
    for (int k = 0; k < 4; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(Level(k)->GetName(), "player" + std::to_string(k + 1) + " slime contents");
        EXPECT_EQ(Level(k)->GetComponent<fb::cmp::Transform>()->GetScale(), glm::vec2(0.0f, 0.0f));
        EXPECT_EQ(Level(k)->GetComponent<Sprite>()->GetLayer(), 5);
        EXPECT_EQ(Magazine(k)->GetComponent<Sprite>()->GetLayer(), 5);
        EXPECT_EQ(Box(k)->GetComponent<Sprite>()->GetLayer(), 5);
        EXPECT_EQ(Opacity(Box(k)), 0.0f);
        EXPECT_EQ(Opacity(Magazine(k)), 0.0f);
    }
    EXPECT_EQ(Box(1)->GetComponent<Sprite>()->GetTexture().name, "./assets/img/BlueSlimebox.png");
    EXPECT_EQ(Box(3)->GetComponent<Sprite>()->GetTexture().name, "./assets/img/GreySlimebox.png");
    EXPECT_EQ(SlimeUI::GetWinningPlayer(), -1);
    EXPECT_EQ(SlimeUI::GetWinCount(), 1);
}

TEST_F(SlimeUITest, TheTwentiethSlimeWinsClearsTheFieldAndIgnoresTheRest)
{
    StartWith(2);
    Player(0)->AddSlime(5);
    Player(1)->AddSlime(1);
    AISpawner::SpawnAlienAt(AlienKind::Normal, {0.0f, 0.0f}, {0.0f, 0.0f}, "");
    ASSERT_GT(gAliveAliens, 0);

    Deliver(1, 19);
    EXPECT_EQ(SlimeUI::GetWinningPlayer(), -1);
    Deliver(1, 1);

    EXPECT_EQ(SlimeUI::GetWinningPlayer(), 1);
    EXPECT_EQ(SlimeUI::GetWinCount(), 2);
    EXPECT_EQ(gAliveAliens, 0);
    EXPECT_TRUE(gNormalAliens.empty());
    EXPECT_EQ(Player(0)->GetSlimeTotal(), 0);
    EXPECT_TRUE(Player(1)->GetSlimeStack().empty());

    // Later deliveries are not counted: no pulse, no level, no second win.
    Deliver(0, 20);
    EXPECT_FALSE(Box(0)->GetComponent<PunchFX>());
    EXPECT_EQ(SlimeUI::GetWinningPlayer(), 1);
    EXPECT_EQ(SlimeUI::GetWinCount(), 2);
    for (int frame = 0; frame < 600; ++frame)
        SlimeUI::Update(true);
    EXPECT_EQ(LevelHeight(0), 0.0f);
    EXPECT_EQ(LevelHeight(1), FullHeight(1));
}

TEST_F(SlimeUITest, AnOvershootingGoldenSlimeIsClippedAndWins)
{
    StartWith(1);
    Deliver(0, 18);
    Deliver(0, 1, 5);
    EXPECT_EQ(SlimeUI::GetWinningPlayer(), 0);
    for (int frame = 0; frame < 600; ++frame)
        SlimeUI::Update(true);
    // Clipped to 20: exactly the full height, not 23/20 of it.
    EXPECT_EQ(LevelHeight(0), FullHeight(0));
}

TEST_F(SlimeUITest, OfTwoBoxesFillingTogetherTheFirstHandledWins)
{
    StartWith(2);
    Deliver(0, 19);
    Deliver(1, 19);
    SlimeUI::UpdatePlayer(1, 1);
    SlimeUI::UpdatePlayer(1, 0);
    EXPECT_EQ(SlimeUI::GetWinningPlayer(), 1);
    EXPECT_EQ(SlimeUI::GetWinCount(), 2);
}

TEST_F(SlimeUITest, AForcedWinnerEndsTheCounting)
{
    StartWith(1);
    SlimeUI::SetWinningPlayer(0);
    Deliver(0, 20);
    EXPECT_EQ(SlimeUI::GetWinCount(), 1);
    EXPECT_FALSE(Box(0)->GetComponent<PunchFX>());
    SlimeUI::Initialize();
    EXPECT_EQ(SlimeUI::GetWinningPlayer(), -1);
}

TEST_F(SlimeUITest, ADeliveryPulsesTheBoxAndOtherIndicesAreIgnored)
{
    StartWith(1);
    SlimeUI::UpdatePlayer(5, 0);
    auto pulse = Box(0)->GetComponent<PunchFX>();
    ASSERT_TRUE(pulse);
    EXPECT_EQ(pulse->GetBaseScale(), SlimeUI::GetSlimeboxScale(0));

    SlimeUI::UpdatePlayer(20, 4);
    SlimeUI::UpdatePlayer(20, -1);
    EXPECT_EQ(SlimeUI::GetWinningPlayer(), -1);
    EXPECT_EQ(SlimeUI::GetSlimeboxScale(4), glm::vec2(0.0f, 0.0f));
    EXPECT_EQ(SlimeUI::GetMagazineScale(-1), glm::vec2(0.0f, 0.0f));
}

TEST_F(SlimeUITest, TheLevelRisesAtFourUnitsASecondAndStopsOnTheTarget)
{
    StartWith(1);
    Deliver(0, 10);
    const float target = (10.0f * (SlimeUI::GetSlimeboxScale(0).y * 0.95f)) / 20.0f;
    SlimeUI::Update(true);
    EXPECT_FLOAT_EQ(LevelHeight(0), kFrame * 4.0f);
    for (int frame = 0; frame < 600; ++frame)
        SlimeUI::Update(true);
    EXPECT_EQ(LevelHeight(0), target);

    // Its lower edge stays put as it grows: 0.95 half-boxes below the centre.
    auto level = Level(0)->GetComponent<fb::cmp::Transform>();
    auto box = Box(0)->GetComponent<fb::cmp::Transform>();
    EXPECT_FLOAT_EQ(level->GetPosition().y - target * 0.5f, box->GetPosition().y - box->GetScale().y * 0.95f * 0.5f);
    EXPECT_FLOAT_EQ(level->GetScale().x, box->GetScale().x * 0.8f);
}

TEST_F(SlimeUITest, AFallingLevelSplashesAndShakes)
{
    StartWith(1);
    Deliver(0, 10);
    for (int frame = 0; frame < 600; ++frame)
        SlimeUI::Update(true);
    SlimeUI::UpdatePlayer(-10, 0);
    const int before = Splashes();
    SlimeUI::Update(true);
    EXPECT_EQ(Splashes(), before + 1);
    for (int frame = 0; frame < 60; ++frame)
        SlimeUI::Update(true);
    EXPECT_EQ(LevelHeight(0), 0.0f);
}

TEST_F(SlimeUITest, AFullBoxSplashesEveryFrameOnlyWhileGameTimeRuns)
{
    StartWith(1);
    Deliver(0, 20);
    for (int frame = 0; frame < 600; ++frame)
        SlimeUI::Update(true);
    int before = Splashes();
    SlimeUI::Update(true);
    SlimeUI::Update(true);
    EXPECT_EQ(Splashes(), before + 2);

    // The round's end menu stops game time; the splashes would never run out.
    Time::SetTimeScale(0.0f);
    Time::SetDt(kFrame);
    before = Splashes();
    for (int frame = 0; frame < 10; ++frame)
        SlimeUI::Update(true);
    EXPECT_EQ(Splashes(), before);
}

TEST_F(SlimeUITest, BoxesShowOnlyWhenTheFlagChangesAndOnlyForConnectedPads)
{
    StartPlayers(2, {-6.0f, -2.0f});
    // The flag was left true by an earlier match: the new boxes stay hidden.
    SlimeUI::Update(true);
    SlimeUI::Initialize();
    ReadPieces();
    SlimeUI::Update(true);
    EXPECT_EQ(Opacity(Box(0)), 0.0f);

    SlimeUI::Update(false);
    SlimeUI::Update(true);
    EXPECT_EQ(Opacity(Box(0)), 1.0f);
    EXPECT_EQ(Opacity(Box(1)), 1.0f);
    EXPECT_EQ(Opacity(Level(1)), 1.0f);
    EXPECT_EQ(Opacity(Box(2)), 0.0f);
    EXPECT_EQ(Opacity(Box(3)), 0.0f);

    SlimeUI::Update(false);
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(Opacity(Box(k)), 0.0f);
        EXPECT_EQ(Opacity(Level(k)), 0.0f);
    }
}

TEST_F(SlimeUITest, MagazinesFollowThePlayersAndHideWhileGameTimeStandsStill)
{
    StartWith(3);
    SlimeUI::Draw();
    EXPECT_EQ(Opacity(Magazine(0)), 1.0f);
    EXPECT_EQ(Opacity(Magazine(2)), 1.0f);
    EXPECT_EQ(Opacity(Magazine(3)), 0.0f);

    Time::SetTimeScale(0.0f);
    Time::SetDt(kFrame);
    SlimeUI::Draw();
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(Opacity(Magazine(k)), 0.0f);
}

TEST_F(SlimeUITest, SettersPlaceTheRightPieces)
{
    StartWith(1);
    SlimeUI::SetSlimeboxPosition(-0.5f, 0.25f, 2);
    SlimeUI::SetSlimeboxScale({0.2f, 0.4f}, 2);
    SlimeUI::SetMagazinePosition(0.75f, -0.25f, 3);
    SlimeUI::SetMagazineScale({0.1f, 0.3f}, 3);
    SlimeUI::SetSlimeboxPosition(9.0f, 9.0f, 4);
    SlimeUI::SetMagazineScale({9.0f, 9.0f}, -1);

    EXPECT_EQ(Box(2)->GetComponent<fb::cmp::Transform>()->GetPosition(), glm::vec2(-0.5f, 0.25f));
    EXPECT_EQ(Level(2)->GetComponent<fb::cmp::Transform>()->GetPosition(), glm::vec2(-0.5f, 0.25f));
    EXPECT_EQ(SlimeUI::GetSlimeboxScale(2), glm::vec2(0.2f, 0.4f));
    EXPECT_EQ(Level(2)->GetComponent<fb::cmp::Transform>()->GetScale(), glm::vec2(0.0f, 0.0f));
    EXPECT_EQ(Magazine(3)->GetComponent<fb::cmp::Transform>()->GetPosition(), glm::vec2(0.75f, -0.25f));
    EXPECT_EQ(SlimeUI::GetMagazineScale(3), glm::vec2(0.1f, 0.3f));
    EXPECT_EQ(SlimeUI::GetSlimeboxScale(0), glm::vec2(7.0f, 9.0f));
}

} // namespace
