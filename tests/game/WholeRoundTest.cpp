#include "CharacterTestRig.h"
#include "NearestAlien.h"
#include "game/RoundUpdate.h"
#include "game/SlimeHandOver.h"
#include "game/SlimeUI.h"
#include "support/SameAsScan.h"

namespace {

// A whole round on the tutorial level: four players, scripted to dive onto
// the nearest takeable alien while they have room and to wait in the active
// goal zone while they are full, until one of them fills its slime box.
class WholeRoundTest : public CharacterWorld {
protected:
    void SetUp() override
    {
        CharacterWorld::SetUp();
        StartSlimeDisplay();
        StartPlayers(4, {-9.0f, -3.0f, 3.0f, 9.0f});
        SlimeUI::Update(false);
        SlimeUI::Update(true);
    }

    // The players' moves for this frame. A giant stops the spawners, so the
    // first player punches it as the punch would.
    static void Script()
    {
        if (!gGiantAliens.empty()) {
            SpawnAlienForPlayer(gGiantAliens.front().entity, 2, {0.0f, 10.0f});
        }
        const glm::vec2 zone = gZones.at(static_cast<std::size_t>(GoalZones::GetZoneIndices().first))
                                   .entity->GetComponent<fb::cmp::Transform>()
                                   ->GetPosition();
        for (int i = 0; i < GetPlayerCount(); ++i) {
            const AIType* alien = Player(i)->GetSlimeCount() < 5 ? NearestTakeableAlien(Position(i)) : nullptr;
            if (alien) {
                const glm::vec2 at = alien->entity->GetComponent<fb::cmp::Transform>()->GetPosition();
                Teleport(i, {at.x, at.y + 1.0f}, {0.0f, -5.0f});
            } else if (Player(i)->GetSlimeCount() > 0) {
                Teleport(i, zone);
            }
        }
    }

    // One frame of the running match, in its order. Returns the winner the
    // match would see, or -1.
    static int MatchFrame()
    {
        UpdateRound();
        const int winner = SlimeUI::GetWinningPlayer();
        GoalZones::Update(Time::GetScaledDt());
        SlimeUI::Update(true);
        SlimeUI::Draw();
        Game::UpdateWorld();
        return winner;
    }
};

TEST_F(WholeRoundTest, FourPlayersPlayUntilOneFillsItsBox)
{
    int winner = -1;
    int frames = 0;
    while (winner < 0 && frames < 60 * 300) {
        Script();
        winner = MatchFrame();
        ++frames;
    }

    ASSERT_GE(winner, 0) << "no winner after " << frames << " frames";
    EXPECT_LT(winner, 4);
    EXPECT_EQ(SlimeUI::GetWinCount(), 2);
    // Twenty slime at five at most a value.
    EXPECT_GE(log->Count("slimeDeliver") + log->Count("slimeGold"), 4);
    // The win emptied every player and took the field's aliens; in the same
    // frame the next spawner took over and made at most its first alien.
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Player(i)->GetSlimeStack().empty()) << i;
    EXPECT_LE(gAliveAliens, 1);
    EXPECT_EQ(gLastWinCount, 2);

    // Nothing counts any more.
    Player(0)->AddSlime(5);
    for (int frame = 0; frame < 180; ++frame) {
        Teleport(0, gZones.at(static_cast<std::size_t>(GoalZones::GetZoneIndices().first))
                        .entity->GetComponent<fb::cmp::Transform>()
                        ->GetPosition());
        EXPECT_EQ(MatchFrame(), winner);
    }
    EXPECT_EQ(SlimeUI::GetWinCount(), 2);
}

// The whole round again, with every collider of the match asked as a query
// both ways every few frames: the broad phase finds what the scan finds.
TEST_F(WholeRoundTest, EveryQueryOfTheRoundFindsWhatTheFullScanFinds)
{
    int winner = -1;
    for (int frame = 0; winner < 0 && frame < 60 * 300; ++frame) {
        Script();
        winner = MatchFrame();
        if (frame % 8 == 0) {
            ASSERT_EQ(CountQueriesUnlikeScan(), 0) << "frame " << frame;
        }
    }
    EXPECT_GE(winner, 0);
}

} // namespace
