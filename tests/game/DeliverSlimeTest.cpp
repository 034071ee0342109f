#include "CharacterTestRig.h"
#include "game/DeliverSlime.h"
#include "game/SlimeHandOver.h"
#include "render/PopupNumber.h"
#include "render/PopupText.h"
#include "render/ScreenspacePopupText.h"

#include <algorithm>

namespace {

// Player 1 of two on the tutorial floor, taking aliens handed to it the way
// the round update hands them over.
class DeliverSlimeTest : public CharacterWorld {
protected:
    void SetUp() override
    {
        CharacterWorld::SetUp();
        StartPlayers(2, {-4.0f, 4.0f});
        log->events.clear();
    }

    static std::shared_ptr<fb::Entity> NewAlien(int kind)
    {
        AISpawner::SpawnAlienAt(kind, {10.0f, 0.0f}, {0.0f, 0.0f}, "");
        return AlienList(kind).back().entity;
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

    static std::shared_ptr<ScreenspacePopupText> ScreenText()
    {
        auto texts = Live<ScreenspacePopupText>();
        return texts.empty() ? nullptr : texts.back();
    }

    static int Splashes()
    {
        int count = 0;
        for (const auto& entity : EntityManager::GetEntities())
            count += entity->GetName() == "SquishParticles" ? 1 : 0;
        return count;
    }
};

TEST_F(DeliverSlimeTest, ATakenAlienBecomesCarriedSlimeWithItsPopups)
{
    Player(1)->AddSlime(5);
    auto alien = NewAlien(AlienKind::Normal);
    const int alive = gAliveAliens;
    const int splashes = Splashes();
    log->events.clear();

    DeliverSlime(alien, *Player(1));

    EXPECT_EQ(Player(1)->GetSlimeStack(), (std::vector<std::int32_t>{5, 1}));
    EXPECT_EQ(log->Count("slimePickup"), 1);
    EXPECT_TRUE(gNormalAliens.empty());
    EXPECT_EQ(gAliveAliens, alive - 1);
    EXPECT_EQ(Splashes(), splashes + 1);

    auto numbers = Live<PopupNumber>();
    ASSERT_EQ(numbers.size(), 1u);
    EXPECT_EQ(numbers[0]->GetNumber(), 6);
    EXPECT_EQ(numbers[0]->GetPosition(), Position(1));
    auto text = ScreenText();
    ASSERT_TRUE(text);
    EXPECT_EQ(text->GetText(), "6");
    EXPECT_EQ(text->GetColour(), glm::vec3(0.0f, 0.0f, 1.0f));
    EXPECT_NEAR(text->GetPosition().x, -0.2667f, 1e-4f);
    EXPECT_EQ(text->GetPosition().y, -0.5f);

    // The alien leaves the entity manager at its next update.
    EntityManager::Update();
    for (const auto& entity : EntityManager::GetEntities())
        EXPECT_NE(entity, alien);
}

TEST_F(DeliverSlimeTest, AFullPlayerThrowsTheSlimeBackOut)
{
    for (int i = 0; i < 5; ++i)
        Player(1)->AddSlime(1);
    auto alien = NewAlien(AlienKind::Normal);
    const int alive = gAliveAliens;

    DeliverSlime(alien, *Player(1));

    EXPECT_EQ(Player(1)->GetSlimeTotal(), 5);
    EXPECT_EQ(log->Count("slimeFull"), 1);
    ASSERT_EQ(gNormalAliens.size(), 1u);
    EXPECT_NE(gNormalAliens[0].entity, alien);
    EXPECT_EQ(gAliveAliens, alive);
    auto thrown = gNormalAliens[0].entity->GetComponent<fb::cmp::AdvancedBody>();
    EXPECT_NE(thrown->GetVelocity(), glm::vec2(0.0f, 0.0f));

    int full = 0;
    for (const auto& popup : Live<PopupText>())
        full += popup->GetText() == "FULL!" && popup->GetColour() == glm::vec3(0.7f, 0.2f, 0.2f) ? 1 : 0;
    EXPECT_EQ(full, 1);
    ASSERT_TRUE(ScreenText());
    EXPECT_EQ(ScreenText()->GetText(), "FULL!");
    EXPECT_TRUE(Live<PopupNumber>().empty());
}

TEST_F(DeliverSlimeTest, AFullPlayerKeepsAGoldenSlimeAndThrowsOutANormalOne)
{
    for (int i = 0; i < 5; ++i)
        Player(0)->AddSlime(1);
    auto golden = NewAlien(AlienKind::Golden);

    DeliverSlime(golden, *Player(0));

    EXPECT_EQ(Player(0)->GetSlimeStack(), (std::vector<std::int32_t>{5, 1, 1, 1, 1}));
    EXPECT_TRUE(gGoldenAliens.empty());
    EXPECT_EQ(gNormalAliens.size(), 1u);
}

TEST_F(DeliverSlimeTest, AnAlienCanBeTakenOnlyOnceAndAGiantIsNeverTaken)
{
    auto alien = NewAlien(AlienKind::Normal);
    auto giant = NewAlien(AlienKind::Giant);
    DeliverSlime(alien, *Player(0));
    const int alive = gAliveAliens;
    const int splashes = Splashes();
    log->events.clear();

    DeliverSlime(alien, *Player(0));
    DeliverSlime(giant, *Player(0));
    DeliverSlime(nullptr, *Player(0));

    EXPECT_EQ(Player(0)->GetSlimeTotal(), 1);
    EXPECT_TRUE(log->events.empty());
    EXPECT_EQ(gGiantAliens.size(), 1u);
    EXPECT_EQ(gAliveAliens, alive);
    EXPECT_EQ(Splashes(), splashes + 3);
}

TEST_F(DeliverSlimeTest, TakingASpawnersAlienFreesItsPlace)
{
    auto normal = std::find_if(gSpawners.begin(), gSpawners.end(),
                               [](const SpawnerRecord& spawner) { return spawner.type == "normal"; });
    ASSERT_NE(normal, gSpawners.end());
    SpawnerRecord& spawner = *normal;
    AISpawner::SpawnAlien(spawner, spawner.position, {0.0f, 0.0f}, "");
    const int made = spawner.alive;
    ASSERT_EQ(gNormalAliens.size(), 1u);
    DeliverSlime(gNormalAliens.back().entity, *Player(0));
    EXPECT_EQ(spawner.alive, made - 1);
}

TEST_F(DeliverSlimeTest, AWorthlessAlienIsTakenAwayButNotCarried)
{
    auto alien = NewAlien(AlienKind::Normal);
    gNormalAliens.back().weight = 0.5f;
    const int alive = gAliveAliens;

    DeliverSlime(alien, *Player(0));

    EXPECT_TRUE(Player(0)->GetSlimeStack().empty());
    EXPECT_EQ(log->Count("slimePickup"), 0);
    EXPECT_TRUE(gNormalAliens.empty());
    EXPECT_EQ(gAliveAliens, alive - 1);
    EXPECT_TRUE(Live<PopupNumber>().empty());
}

} // namespace
