#include "audio/CharacterEvent.h"
#include "core/Entity.h"
#include "core/EventChannels.h"
#include "core/Trace.h"
#include "game/Character.h"
#include "game/CharacterEvents.h"
#include "game/CharacterGlobals.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::string kData = "../../tests/data/game/characters/";

struct Tunables {
    float acceleration, jumpSpeed, maxSpeed, gravity;
    int drag;
    bool operator==(const Tunables&) const = default;
};

Tunables Current()
{
    return {CharacterGlobals::GetAcceleration(), CharacterGlobals::GetJumpSpeed(), CharacterGlobals::GetMaxSpeed(),
            CharacterGlobals::GetGravity(), CharacterGlobals::GetDrag()};
}

class Names : public fb::evt::SubjectObserver<fb::evt::CharacterEvent> {
public:
    void OnNotify(const fb::evt::CharacterEvent& event) override
    {
        names.push_back(event.GetName());
        entities.push_back(event.entity);
    }
    std::vector<std::string> names;
    std::vector<std::shared_ptr<fb::Entity>> entities;
};

class CharacterGlobalsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mOld = SetTraceSink([this](const std::string& message, int level) { traces.push_back({message, level}); });
        CharacterGlobals::SetAcceleration(1.0f);
        CharacterGlobals::SetJumpSpeed(2.0f);
        CharacterGlobals::SetMaxSpeed(3.0f);
        CharacterGlobals::SetGravity(-4.0f);
        CharacterGlobals::SetDrag(5);
    }
    void TearDown() override { SetTraceSink(mOld); }

    bool Traced(const std::string& text, int level) const
    {
        for (const auto& [message, at] : traces) {
            if (message.find(text) != std::string::npos && at == level)
                return true;
        }
        return false;
    }

    static constexpr Tunables kBefore{1.0f, 2.0f, 3.0f, -4.0f, 5};
    std::vector<std::pair<std::string, int>> traces;

private:
    TraceSink mOld;
};

// The values before anything loads them, read as the program starts.
const Tunables kAtStart = Current();

TEST(CharacterGlobalsStart, AllZeroWithADragOfOne)
{
    EXPECT_EQ(kAtStart, (Tunables{0.0f, 0.0f, 0.0f, 0.0f, 1}));
}

TEST_F(CharacterGlobalsTest, TheGamesTuningFileLoads)
{
    EXPECT_TRUE(LoadCharacterGlobals("characterGlobalsDefault.json"));
    EXPECT_EQ(Current(), (Tunables{1.5f, 22.0f, 12.0f, -70.0f, 2}));
    ASSERT_TRUE(gCharacterGlobalsDocument);
    EXPECT_TRUE(gCharacterGlobalsDocument->IsObject());
}

TEST_F(CharacterGlobalsTest, WholeNumbersAreTakenAsNumbersAndOtherKeysIgnored)
{
    EXPECT_TRUE(LoadCharacterGlobals(kData + "whole_numbers.json"));
    EXPECT_EQ(Current(), (Tunables{2.0f, 30.0f, 9.5f, -50.0f, 3}));
}

TEST_F(CharacterGlobalsTest, AMissingFileChangesNothing)
{
    EXPECT_FALSE(LoadCharacterGlobals("no_such_globals.json"));
    EXPECT_EQ(Current(), kBefore);
    EXPECT_TRUE(Traced("Failed to load character globals", 4));
    EXPECT_TRUE(Traced("assets/json/no_such_globals.json", 4));
}

TEST_F(CharacterGlobalsTest, AFileWithoutTheDragChangesNothing)
{
    EXPECT_FALSE(LoadCharacterGlobals(kData + "no_drag.json"));
    EXPECT_EQ(Current(), kBefore);
    EXPECT_TRUE(Traced("Failed to parse JSON: Missing one or more global values", 3));
}

TEST_F(CharacterGlobalsTest, BrokenFilesChangeNothing)
{
    for (const char* file : {"unparsable.json", "array_root.json", "text_value.json", "fractional_drag.json",
                             "absurd_gravity.json", "negative_speed.json", "negative_drag.json"}) {
        SCOPED_TRACE(file);
        EXPECT_FALSE(LoadCharacterGlobals(kData + file));
        EXPECT_EQ(Current(), kBefore);
    }
    for (const char* key : {"\"gravity\"", "\"maxspeed\"", "\"drag\""})
        EXPECT_TRUE(Traced(std::string(key) + " is ", 3)) << key;
    EXPECT_TRUE(Traced("negative_speed.json", 3));
    EXPECT_TRUE(Traced("Failed to parse JSON: ", 4));
    EXPECT_TRUE(Traced("\"acceleration\" is not a number", 3));
    EXPECT_TRUE(Traced("\"drag\" is not an integer", 3));
}

TEST_F(CharacterGlobalsTest, ADragOfZeroIsTakenAsOne)
{
    EXPECT_TRUE(LoadCharacterGlobals(kData + "zero_drag.json"));
    EXPECT_EQ(Current(), (Tunables{2.0f, 30.0f, 9.0f, -50.0f, 1}));
    EXPECT_TRUE(Traced("drag 0 is below 1", 3));
    CharacterGlobals::SetDrag(-3);
    EXPECT_EQ(CharacterGlobals::GetDrag(), 1);
}

class CharacterRecordTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        body = std::make_shared<fb::Entity>("Player 1");
        character.SetEntity(body);
        fb::evt::CharacterEventSubject::Get()->Attach(heard);
    }
    Character character{1};
    std::shared_ptr<fb::Entity> body;
    std::shared_ptr<Names> heard = std::make_shared<Names>();
};

TEST_F(CharacterRecordTest, StartsGroundedEmptyAndReady)
{
    EXPECT_EQ(character.GetPlayerIndex(), 1);
    EXPECT_EQ(character.GetEntity(), body);
    EXPECT_TRUE(character.IsGrounded());
    EXPECT_TRUE(character.CanAct());
    EXPECT_FALSE(character.HasDoubleJump());
    EXPECT_FALSE(character.CanAirJump());
    EXPECT_FALSE(character.IsJumpHeld());
    EXPECT_FALSE(character.IsDroppingThrough());
    EXPECT_EQ(character.GetCooldown(), 0.0f);
    EXPECT_EQ(character.GetDeliveryTimer(), 1.0f);
    EXPECT_EQ(character.GetSlimeTotal(), 0);
    EXPECT_TRUE(character.GetSlimeStack().empty());
}

TEST_F(CharacterRecordTest, CarriedSlimeIsKeptLargestFirst)
{
    EXPECT_EQ(character.AddSlime(1), 0);
    EXPECT_EQ(character.AddSlime(5), 0);
    EXPECT_EQ(character.AddSlime(1), 0);
    EXPECT_EQ(character.GetSlimeStack(), (std::vector<std::int32_t>{5, 1, 1}));
    EXPECT_EQ(character.GetSlimeCount(), 3);
    EXPECT_EQ(character.GetSlimeTotal(), 7);
    EXPECT_EQ(heard->names, (std::vector<std::string>(3, "slimePickup")));
    EXPECT_EQ(heard->entities.front(), body);

    EXPECT_EQ(character.PopSlime(), 1);
    EXPECT_EQ(character.GetSlimeTotal(), 6);
    EXPECT_EQ(character.GetSlimeCount(), 2);
}

TEST_F(CharacterRecordTest, AFullCharacterSwapsAOneForAFiveAndRefusesTheRest)
{
    for (int i = 0; i < 5; ++i)
        character.AddSlime(1);
    heard->names.clear();

    EXPECT_EQ(character.AddSlime(5), 1);
    EXPECT_EQ(character.GetSlimeStack(), (std::vector<std::int32_t>{5, 1, 1, 1, 1}));
    EXPECT_EQ(character.GetSlimeTotal(), 9);
    EXPECT_EQ(character.GetSlimeCount(), 5);
    EXPECT_TRUE(heard->names.empty());

    EXPECT_EQ(character.AddSlime(1), 1);
    EXPECT_EQ(heard->names, (std::vector<std::string>{"slimeFull"}));
    EXPECT_EQ(character.GetSlimeTotal(), 9);

    Character golden(0);
    for (int i = 0; i < 5; ++i)
        golden.AddSlime(5);
    EXPECT_EQ(golden.AddSlime(5), 5);
    EXPECT_EQ(golden.GetSlimeTotal(), 25);
}

TEST_F(CharacterRecordTest, NothingComesOutOfAnEmptyCharacter)
{
    EXPECT_EQ(character.PopSlime(), 0);
    EXPECT_EQ(character.GetSlimeCount(), 0);
    EXPECT_EQ(character.GetSlimeTotal(), 0);
    character.AddSlime(5);
    character.ClearSlime();
    EXPECT_EQ(character.GetSlimeTotal(), 0);
    EXPECT_EQ(character.PopSlime(), 0);
}

TEST_F(CharacterRecordTest, TheFixedRaisersCarryTheBody)
{
    RaiseWallJumpEvent(character);
    RaisePunchHitEvent(character);
    RaisePunchMissEvent(character);
    EXPECT_EQ(heard->names, (std::vector<std::string>{"wallJump", "punchHit", "punchMiss"}));
    EXPECT_EQ(heard->entities, (std::vector<std::shared_ptr<fb::Entity>>(3, body)));
}

} // namespace
