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
#include <iostream>
#include <optional>

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

// A whole match takes the bots one to four minutes of game time; under the
// sanitizers that is several minutes of real time a map, so there the
// quickest map stands for all.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
constexpr const char* kSanitizedMap = "crystal_caverns";

class WholeMatchTest : public MatchWorld, public ::testing::WithParamInterface<std::string> {};

TEST_P(WholeMatchTest, FourBotsPlayUntilOneWins)
{
    if (kSanitized && GetParam() != kSanitizedMap)
        GTEST_SKIP() << "played in the optimised build; under the sanitizers only " << kSanitizedMap;
    const std::string map = "assets/levels/" + GetParam() + ".json";
    auto characterEvents = std::make_shared<CharacterEventLog>();
    fb::evt::CharacterEventSubject::Get()->Attach(characterEvents);
    PlugIn(4);
    EnterMatch(map);
    ASSERT_NE(Match(), nullptr);
    ASSERT_EQ(GetPlayerCount(), 4);
    std::vector<Bot> bots;
    for (int i = 0; i < 4; ++i)
        bots.emplace_back(i, *pads[static_cast<std::size_t>(i)]);
    RunCountdown();

    int knockedOut = 0;
    int frame = 0;
    for (; SlimeUI::GetWinningPlayer() < 0 && frame < 60 * 60 * 8; ++frame) {
        std::array<int, 4> carried{};
        for (int i = 0; i < 4; ++i)
            carried[static_cast<std::size_t>(i)] = GetPlayer(i)->GetSlimeCount();
        for (Bot& bot : bots)
            bot.Drive();
        Frame();
        for (int i = 0; i < 4; ++i) {
            if (!GetPlayer(i)->CanAct() && GetPlayer(i)->GetSlimeCount() < carried[static_cast<std::size_t>(i)])
                ++knockedOut;
        }
    }
    std::cout << map << ": " << frame / 60 << " s, " << characterEvents->Count("slimePickup") << " pick-ups, "
              << characterEvents->Count("slimeDeliver") + characterEvents->Count("slimeGold") << " deliveries, "
              << characterEvents->Count("punchHit") << " hits, " << knockedOut << " knock-outs\n";

    EXPECT_GT(characterEvents->Count("slimePickup"), 0);
    EXPECT_GT(characterEvents->Count("slimeDeliver") + characterEvents->Count("slimeGold"), 0);
    EXPECT_GT(characterEvents->Count("punchHit"), 0);
    EXPECT_GT(knockedOut, 0);
    EXPECT_GE(events->Count("zoneChange"), 1);
    EXPECT_FALSE(gRandomEventTitle.empty());
    EXPECT_FALSE(Traced("Assertion failed")) << "aliens, meteors and menus wobble at speeds that work";
    ASSERT_GE(SlimeUI::GetWinningPlayer(), 0);

    // The winner is announced, then the end menu stops the game.
    Frames(6 * 60 + 2);
    EXPECT_EQ(Time::GetTimeScale(), 0.0f);
    EXPECT_EQ(EntitiesNamed("MainMenu Button").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(ShippedMaps, WholeMatchTest,
                         ::testing::Values("crystal_caverns", "frost_spires", "mossy_hollow", "red_mesa", "tutorial"));

TEST_F(MatchWorld, TheWholeMatchesCoverEveryShippedMap)
{
    std::vector<std::string> played;
    for (const char* name : {"crystal_caverns", "frost_spires", "mossy_hollow", "red_mesa", "tutorial"})
        played.push_back(std::string("assets/levels/") + name + ".json");
    EXPECT_EQ(ShippedMaps(), played);
}

} // namespace
