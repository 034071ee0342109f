// Whole matches on every shipped map, played through the real input path:
// four SDL virtual pads, each driven by a small bot that runs, jumps and
// punches the way a player would, from the countdown until someone wins.

#include "MatchWorld.h"
#include "NearestAlien.h"

#include "audio/CharacterEvent.h"
#include "core/EventChannels.h"
#include "core/Transform.h"
#include "game/AISpawnerGlobals.h"
#include "game/RandomEvents.h"
#include "game/SlimeUI.h"
#include "physics/AdvancedBody.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <unistd.h>

namespace {

// Everything the character channel carried, by name and entity.
class CharacterEventLog : public fb::evt::SubjectObserver<fb::evt::CharacterEvent> {
public:
    void OnNotify(const fb::evt::CharacterEvent& event) override { names.push_back(event.GetName()); }
    int Count(const std::string& name) const { return static_cast<int>(std::count(names.begin(), names.end(), name)); }
    std::vector<std::string> names;
};

glm::vec2 PositionOf(const std::shared_ptr<fb::Entity>& entity)
{
    return entity->GetComponent<fb::cmp::Transform>()->GetPosition();
}

// One pad's player: goes for the nearest alien it can take while it has
// room, carries its slime to the active zone, and punches a loaded
// opponent or the giant within reach.
class Bot {
public:
    Bot(int player, VirtualPad& pad)
        : mPlayer(player)
        , mPad(pad)
    {
    }

    void Drive()
    {
        Character* me = GetPlayer(mPlayer);
        const glm::vec2 at = PositionOf(me->GetEntity());
        const glm::vec2 velocity = me->GetEntity()->GetComponent<fb::cmp::AdvancedBody>()->GetVelocity();
        const glm::vec2 target = Target(*me, at);
        const float dx = target.x - at.x;
        const float dy = target.y - at.y;

        float stick = std::fabs(dx) > 0.3f ? (dx > 0.0f ? 1.0f : -1.0f) : 0.0f;
        mStuck = stick != 0.0f && std::fabs(velocity.x) < 0.5f ? mStuck + 1 : 0;
        if (mStuck > 90)
            mDetour = 50;
        if (mDetour > 0) {
            stick = -stick;
            --mDetour;
        }

        const std::optional<float> victim = PunchTarget(at);
        mPad.Release(SDL_CONTROLLER_BUTTON_B);
        if (victim && mPunchWait <= 0) {
            stick = *victim > 0.0f ? 1.0f : -1.0f;
            mPad.Press(SDL_CONTROLLER_BUTTON_B);
            mPunchWait = 60;
        }
        --mPunchWait;

        const bool wantsUp = dy > 1.5f || mStuck > 20 || (std::fabs(dx) < 2.0f && std::fabs(dy) < 1.5f && !mCarriesEnough);
        if (mJumpFrames > 0) {
            mPad.Press(SDL_CONTROLLER_BUTTON_A);
            --mJumpFrames;
        } else {
            mPad.Release(SDL_CONTROLLER_BUTTON_A);
            if (wantsUp && ++mJumpRest > 4) {
                mJumpFrames = 12;
                mJumpRest = 0;
            }
        }
        const bool dropDown = dy < -2.5f && std::fabs(dx) < 3.0f && mJumpFrames == 0;
        mPad.SetStick(stick, dropDown ? -1.0f : 0.0f);
    }

private:
    glm::vec2 Target(Character& me, glm::vec2 at)
    {
        // A golden slime is worth five: one is enough to go and deliver.
        mCarriesEnough = me.GetSlimeCount() >= 3 || me.GetSlimeTotal() >= 5;
        const AIType* alien = me.GetSlimeCount() < 5 ? NearestTakeableAlien(at) : nullptr;
        if (!mCarriesEnough && !gGoldenAliens.empty() && gGoldenAliens.front().countdown <= 0.0f)
            alien = &gGoldenAliens.front();
        if ((mCarriesEnough || !alien) && me.GetSlimeCount() > 0)
            return ActiveZone();
        if (alien)
            return PositionOf(alien->entity);
        if (!gGiantAliens.empty())
            return PositionOf(gGiantAliens.front().entity);
        return ActiveZone();
    }

    // The side (sign) of someone worth punching within reach.
    std::optional<float> PunchTarget(glm::vec2 at) const
    {
        for (int i = 0; i < GetPlayerCount(); ++i) {
            if (i == mPlayer || GetPlayer(i)->GetSlimeTotal() < 3)
                continue;
            const glm::vec2 d = PositionOf(GetPlayer(i)->GetEntity()) - at;
            if (std::fabs(d.x) < 2.0f && std::fabs(d.y) < 1.0f)
                return d.x;
        }
        for (const AIType& giant : gGiantAliens) {
            const glm::vec2 d = PositionOf(giant.entity) - at;
            if (std::fabs(d.x) < 2.5f && std::fabs(d.y) < 1.5f)
                return d.x;
        }
        return std::nullopt;
    }

    static glm::vec2 ActiveZone()
    {
        const int zone = GoalZones::GetZoneIndices().first;
        if (zone < 0 || zone >= static_cast<int>(gZones.size()))
            return {0.0f, 0.0f};
        return PositionOf(gZones[static_cast<std::size_t>(zone)].entity);
    }

    int mPlayer;
    VirtualPad& mPad;
    int mJumpFrames = 0;
    int mJumpRest = 0;
    int mPunchWait = 0;
    int mStuck = 0;
    int mDetour = 0;
    bool mCarriesEnough = false;
};

// A whole match takes the bots one to two minutes of game time; under the
// sanitizers that is minutes of real time a map, so there the quickest map
// stands for all.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
constexpr const char* kSanitizedMap = "crystal_caverns";

// The bots get eight minutes of game time to find a winner.
constexpr int kFrameLimit = 60 * 60 * 8;

// What one bot match came to.
struct BotMatch {
    int winner = -1;
    // From the frame that entered the match to the one that found the winner.
    std::int64_t frames = 0;
    int pickUps = 0;
    int deliveries = 0;
    int hits = 0;
    int knockOuts = 0;
    int zoneChanges = 0;

    bool operator==(const BotMatch&) const = default;
};

std::ostream& operator<<(std::ostream& out, const BotMatch& match)
{
    return out << "winner " << match.winner << " after " << match.frames << " frames (" << match.frames / 60
               << " s), " << match.pickUps << " pick-ups, " << match.deliveries << " deliveries, " << match.hits
               << " hits, " << match.knockOuts << " knock-outs";
}

class WholeMatchTest : public MatchWorld {
protected:
    // Four bots on four pads play the map from its countdown until someone
    // wins or the frame limit is reached.
    BotMatch PlayBotMatch(const std::string& map)
    {
        auto characterEvents = std::make_shared<CharacterEventLog>();
        fb::evt::CharacterEventSubject::Get()->Attach(characterEvents);
        PlugIn(4);
        EnterMatch("assets/levels/" + map + ".json");
        BotMatch result;
        if (!Match() || GetPlayerCount() != 4) {
            ADD_FAILURE() << map << " did not start a match of four players";
            return result;
        }
        std::vector<Bot> bots;
        for (int i = 0; i < 4; ++i)
            bots.emplace_back(i, *pads[static_cast<std::size_t>(i)]);
        RunCountdown();

        for (int frame = 0; SlimeUI::GetWinningPlayer() < 0 && frame < kFrameLimit; ++frame) {
            std::array<int, 4> carried{};
            for (int i = 0; i < 4; ++i)
                carried[static_cast<std::size_t>(i)] = GetPlayer(i)->GetSlimeCount();
            for (Bot& bot : bots)
                bot.Drive();
            Frame();
            for (int i = 0; i < 4; ++i) {
                if (!GetPlayer(i)->CanAct() && GetPlayer(i)->GetSlimeCount() < carried[static_cast<std::size_t>(i)])
                    ++result.knockOuts;
            }
        }
        result.winner = SlimeUI::GetWinningPlayer();
        result.frames = framesRun;
        result.pickUps = characterEvents->Count("slimePickup");
        result.deliveries = characterEvents->Count("slimeDeliver") + characterEvents->Count("slimeGold");
        result.hits = characterEvents->Count("punchHit");
        result.zoneChanges = events->Count("zoneChange");
        std::cout << map << ": " << result << "\n";
        return result;
    }
};

class ShippedMapMatch : public WholeMatchTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(ShippedMapMatch, FourBotsPlayUntilOneWins)
{
    if (kSanitized && GetParam() != kSanitizedMap)
        GTEST_SKIP() << "played in the optimised build; under the sanitizers only " << kSanitizedMap;
    const BotMatch match = PlayBotMatch(GetParam());
    ASSERT_GE(match.winner, 0) << "nobody won within " << kFrameLimit << " frames: " << match;
    EXPECT_GT(match.pickUps, 0);
    EXPECT_GT(match.deliveries, 0);
    EXPECT_GT(match.hits, 0);
    EXPECT_GT(match.knockOuts, 0);
    EXPECT_GE(match.zoneChanges, 1);
    EXPECT_FALSE(gRandomEventTitle.empty());
    EXPECT_FALSE(Traced("Assertion failed")) << "aliens, meteors and menus wobble at speeds that work";

    // The winner is announced, then the end menu stops the game.
    Frames(6 * 60 + 2);
    EXPECT_EQ(Time::GetTimeScale(), 0.0f);
    EXPECT_EQ(EntitiesNamed("MainMenu Button").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(ShippedMaps, ShippedMapMatch,
                         ::testing::Values("crystal_caverns", "frost_spires", "mossy_hollow", "red_mesa", "tutorial"));

// Set for a run of this program that plays one match for another one and
// writes what it came to into the file it names.
constexpr const char* kResultFileVariable = "VENDRABOLT_TEST_BOT_MATCH_RESULT";
constexpr const char* kRepeatedMap = "crystal_caverns";

void WriteBotMatch(const std::filesystem::path& file, const BotMatch& match)
{
    std::ofstream(file) << match.winner << ' ' << match.frames << ' ' << match.pickUps << ' ' << match.deliveries
                        << ' ' << match.hits << ' ' << match.knockOuts << ' ' << match.zoneChanges << '\n';
}

std::optional<BotMatch> ReadBotMatch(const std::filesystem::path& file)
{
    std::ifstream in(file);
    BotMatch match;
    if (in >> match.winner >> match.frames >> match.pickUps >> match.deliveries >> match.hits >> match.knockOuts >>
        match.zoneChanges)
        return match;
    return std::nullopt;
}

// This test program run again on this one test, playing its one match, the
// first of its process; what it came to, or nothing when it wrote none.
std::optional<BotMatch> PlayInAnotherProcess()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path folder = std::filesystem::temp_directory_path();
    const std::filesystem::path result = folder / ("bot-match-" + std::to_string(getpid()) + ".txt");
    const std::filesystem::path log = folder / ("bot-match-" + std::to_string(getpid()) + ".log");
    std::filesystem::remove(result);
    const std::string command = std::string(kResultFileVariable) + "='" + result.string() + "' '" +
                                std::filesystem::read_symlink("/proc/self/exe").string() + "' --gtest_filter='" +
                                test->test_suite_name() + "." + test->name() + "' > '" + log.string() + "' 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << "the other process failed; its output is in " << log;
    std::optional<BotMatch> match = ReadBotMatch(result);
    std::filesystem::remove(result);
    return match;
}

TEST_F(WholeMatchTest, OneSeedPlaysOneMatchTwiceInAProcessAndInAnotherProcess)
{
    if (const char* file = std::getenv(kResultFileVariable)) {
        WriteBotMatch(file, PlayBotMatch(kRepeatedMap));
        return;
    }
    const BotMatch first = PlayBotMatch(kRepeatedMap);
    ASSERT_GE(first.winner, 0) << "nobody won within " << kFrameLimit << " frames: " << first;
    // The second starts as every test starts, in the middle of the first's
    // announcement.
    TearDown();
    SetUp();
    const BotMatch second = PlayBotMatch(kRepeatedMap);
    EXPECT_EQ(second, first) << "the second match of this process";

    const std::optional<BotMatch> elsewhere = PlayInAnotherProcess();
    ASSERT_TRUE(elsewhere.has_value()) << "the other process wrote no result";
    EXPECT_EQ(*elsewhere, first) << "the match of another process";
}

TEST_F(MatchWorld, TheWholeMatchesCoverEveryShippedMap)
{
    std::vector<std::string> played;
    for (const char* name : {"crystal_caverns", "frost_spires", "mossy_hollow", "red_mesa", "tutorial"})
        played.push_back(std::string("assets/levels/") + name + ".json");
    EXPECT_EQ(ShippedMaps(), played);
}

} // namespace
