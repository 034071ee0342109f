#include "MatchWorld.h"

#include "game/AISpawnerGlobals.h"
#include "game/RandomEvents.h"
#include "game/SlimeMeteor.h"
#include "level/Portal.h"

#include <set>

namespace {

using RandomEventTest = MatchWorld;

template <typename T>
int CountWith()
{
    int count = 0;
    for (const auto& entity : EntityManager::GetEntities())
        count += entity->GetComponent<T>() ? 1 : 0;
    return count;
}

TEST_F(RandomEventTest, EachOfTheFourEventsDoesItsPartAndShowsItsBanner)
{
    PlugIn(1);
    EnterMatch("assets/levels/red_mesa.json");
    const std::vector<LevelArea> areas = GetRandomEventPoints();
    ASSERT_GE(areas.size(), 2u);

    std::set<std::string> seen;
    for (unsigned seed = 1; seed < 200 && seen.size() < 4; ++seed) {
        Random::Seed(seed);
        gRandomEventAnnounceTime = -3.0f;
        const int meteors = CountWith<SlimeMeteor>();
        const int portals = CountWith<Portal>();
        const std::size_t golden = gGoldenAliens.size();
        const int meteorSpawns = events->Count("meteorSpawn");
        const int kingSpawns = events->Count("kingSpawn");
        const int goldenSpawns = events->Count("goldenSpawn");
        StartRandomEvent();
        SCOPED_TRACE(gRandomEventTitle);
        EXPECT_EQ(gRandomEventAnnounceTime, 5.0f);
        seen.insert(gRandomEventTitle);
        if (gRandomEventTitle == "Slimepocalypse!") {
            EXPECT_EQ(CountWith<SlimeMeteor>(), meteors + 1);
            EXPECT_EQ(events->Count("meteorSpawn"), meteorSpawns + 1);
        } else if (gRandomEventTitle == "King of the Slimes!") {
            // Every alien swept away, one giant in their place.
            EXPECT_EQ(gGiantAliens.size(), 1u);
            EXPECT_TRUE(gNormalAliens.empty());
            EXPECT_TRUE(gGoldenAliens.empty());
            EXPECT_EQ(events->Count("kingSpawn"), kingSpawns + 1);
        } else if (gRandomEventTitle == "Gold Rush!") {
            EXPECT_EQ(gGoldenAliens.size(), golden + 3);
            EXPECT_EQ(events->Count("goldenSpawn"), goldenSpawns + 3);
        } else {
            ASSERT_EQ(gRandomEventTitle, "Wormhole Invasion!");
            EXPECT_EQ(CountWith<Portal>(), portals + 2);
        }
        // The tick shows the banner for 5 s and starts nothing meanwhile.
        gRandomEventTimer = 40.0f;
        for (int frame = 0; frame < 5 * 60 + 1; ++frame)
            TriggerRandomEvent(kFrame);
        EXPECT_LT(gRandomEventAnnounceTime, 0.0f);
        EntityFrame();
    }
    EXPECT_EQ(seen.size(), 4u);

    // The timer fires once it is below 0, not at 0.
    gRandomEventTimer = kFrame;
    TriggerRandomEvent(kFrame);
    EXPECT_EQ(gRandomEventTimer, 0.0f);
    TriggerRandomEvent(kFrame);
    EXPECT_EQ(gRandomEventTimer, 40.0f);
}

TEST_F(RandomEventTest, OneAreaNeverOpensAWormholeAndNoAreaStartsNothing)
{
    PlugIn(1);
    EnterMatch("assets/levels/tutorial.json");
    CurrentLevel().randomEventPoints.resize(1);
    const int portals = CountWith<Portal>();
    for (unsigned seed = 1; seed < 60; ++seed) {
        Random::Seed(seed);
        StartRandomEvent();
        EXPECT_NE(gRandomEventTitle, "Wormhole Invasion!");
    }
    EXPECT_EQ(CountWith<Portal>(), portals);

    CurrentLevel().randomEventPoints.clear();
    ResetRandomEvents();
    StartRandomEvent();
    EXPECT_EQ(gRandomEventTitle, "");
    EXPECT_EQ(gRandomEventAnnounceTime, 0.0f);
}

} // namespace
