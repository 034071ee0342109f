#include "MatchWorld.h"

#include "core/Transform.h"
#include "game/RandomEvents.h"
#include "game/SlimeUI.h"

namespace {

using MatchStateTest = MatchWorld;

TEST_F(MatchStateTest, EveryShippedMapStartsAMatchAndCountsDown)
{
    PlugIn(4);
    const std::vector<std::string> maps = ShippedMaps();
    ASSERT_GE(maps.size(), 5u);
    for (const std::string& map : maps) {
        SCOPED_TRACE(map);
        EnterMatch(map);
        ASSERT_NE(Match(), nullptr);
        EXPECT_FALSE(Match()->HasFailed());
        EXPECT_EQ(GetPlayerCount(), 4);
        EXPECT_FALSE(IsPlayerControlEnabled());
        EXPECT_EQ(CamManager::GetActiveCamera(), gGameplayCamera);
        RunCountdown();
        EXPECT_EQ(Match()->GetCountdown(), 0);
        EXPECT_TRUE(IsPlayerControlEnabled());
        Frames(120);
        EXPECT_EQ(SlimeUI::GetWinningPlayer(), -1);
        LeaveMatch();
        EXPECT_EQ(GetPlayerCount(), 0);
        EXPECT_EQ(GetLevelSize(), std::make_pair(0, 0));
        EXPECT_EQ(Time::GetTimeScale(), 1.0f);
    }
    EXPECT_EQ(events->Count("roundStart"), static_cast<int>(maps.size()));
}

} // namespace
