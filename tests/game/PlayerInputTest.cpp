#include "CharacterTestRig.h"
#include "core/Action.h"
#include "platform/GamePad.h"

namespace {

class PlayerInputTest : public CharacterWorld {
protected:
    void SetUp() override
    {
        CharacterWorld::SetUp();
        StartPlayers(2, {-20.0f, 20.0f});
    }

    // The action pad 0 chooses after its next read.
    Action* Chosen()
    {
        GamePad::Poll();
        Input::GetController(0)->Update();
        return Input::GetController(0)->GetAction();
    }
    template <typename T>
    static bool Is(Action* action, int parameter)
    {
        return dynamic_cast<T*>(action) && action->GetParameter() == parameter;
    }
};

TEST_F(PlayerInputTest, APadChoosesOneActionByItsPriority)
{
    // A beats everything, and takes the stick's direction.
    Pad(0).Press(SDL_CONTROLLER_BUTTON_A);
    Pad(0).Press(SDL_CONTROLLER_BUTTON_B);
    Pad(0).SetStick(0.4f, 0.8f);
    EXPECT_TRUE(Is<Jump>(Chosen(), Direction::Up));
    Pad(0).Release(SDL_CONTROLLER_BUTTON_A);
    Pad(0).Release(SDL_CONTROLLER_BUTTON_B);

    // A trigger punches, ahead of a shoulder.
    Pad(0).SetStick(-1.0f, 0.0f);
    Pad(0).SetTriggers(0.1f, 0.0f);
    EXPECT_TRUE(Is<BasicAttack>(Chosen(), Direction::Left));
    Pad(0).Press(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    Pad(0).SetTriggers(0.0f, 0.5f);
    Action* trigger = Chosen();
    EXPECT_TRUE(Is<BasicAttack>(trigger, Direction::Left));
    Pad(0).SetTriggers(0.0f, 0.0f);
    Action* shoulder = Chosen();
    EXPECT_TRUE(Is<BasicAttack>(shoulder, Direction::Left));
    EXPECT_NE(shoulder, trigger);
    Pad(0).Release(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);

    for (SDL_GameControllerButton button :
         {SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_X, SDL_CONTROLLER_BUTTON_LEFTSHOULDER}) {
        SCOPED_TRACE(button);
        Pad(0).Press(button);
        EXPECT_EQ(Chosen(), shoulder);
        Pad(0).Release(button);
    }

    // Y, the d-pad, back and start choose nothing; the d-pad does not steer.
    Pad(0).SetStick(0.0f, 0.0f);
    for (SDL_GameControllerButton button : {SDL_CONTROLLER_BUTTON_Y, SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
                                            SDL_CONTROLLER_BUTTON_BACK, SDL_CONTROLLER_BUTTON_START}) {
        SCOPED_TRACE(button);
        Pad(0).Press(button);
        EXPECT_TRUE(Is<Move>(Chosen(), Direction::None));
        Pad(0).Release(button);
    }
}

TEST_F(PlayerInputTest, TheStickGivesTheDirectionCodes)
{
    const struct {
        float x, y;
        int direction;
    } cases[] = {{0.0f, 1.0f, Direction::Up},     {0.0f, -1.0f, Direction::Down}, {-1.0f, 0.0f, Direction::Left},
                 {1.0f, 0.0f, Direction::Right},  {0.5f, 0.6f, Direction::Up},    {0.6f, 0.6f, Direction::Right},
                 {-0.6f, -0.6f, Direction::Left}, {0.1f, 0.2f, Direction::None}};
    for (const auto& entry : cases) {
        SCOPED_TRACE(testing::Message() << entry.x << ", " << entry.y);
        Pad(0).SetStick(entry.x, entry.y);
        EXPECT_TRUE(Is<Move>(Chosen(), entry.direction));
    }
}

TEST_F(PlayerInputTest, AnUnpluggedPadStopsItsPlayerWhileTheOtherPlays)
{
    Pad(1).SetStick(-1.0f, 0.0f);
    Frames(5);
    ASSERT_LT(Velocity(1).x, 0.0f);
    Pad(1).Unplug();
    Pad(0).SetStick(1.0f, 0.0f);
    Frames(3);
    EXPECT_EQ(Velocity(1).x, 0.0f);
    EXPECT_GT(Velocity(0).x, 0.0f);
    EXPECT_TRUE(Is<Move>(Input::GetController(1)->GetAction(), Direction::None));
}

TEST_F(PlayerInputTest, WithControlOffThePadsAreReadButNobodyMoves)
{
    SetPlayerControlEnabled(false);
    Pad(0).SetStick(1.0f, 0.0f);
    Pad(0).Press(SDL_CONTROLLER_BUTTON_A);
    Frames(5);
    EXPECT_EQ(Velocity(0), glm::vec2(0.0f, 0.0f));
    EXPECT_TRUE(log->events.empty());
    // Polled all the same: the press was seen and the rumble still runs out.
    EXPECT_FALSE(Input::GetController(0)->JustPressed(0));
    Input::GetController(0)->Vibrate(1.0f, 1.0f, 0.05f);
    EXPECT_EQ(Pad(0).HeavyMotor(), 65535);
    Frames(5);
    EXPECT_EQ(Pad(0).HeavyMotor(), 0);

    SetPlayerControlEnabled(true);
    Frame();
    EXPECT_GT(Velocity(0).x, 0.0f);
}

TEST_F(PlayerInputTest, AStunnedPlayerIgnoresItsPadUntilItLands)
{
    Player(0)->SetStunned(true);
    Pad(0).SetStick(1.0f, 0.0f);
    Frames(5);
    EXPECT_EQ(Velocity(0).x, 0.0f);

    // Landing clears the stun.
    Teleport(0, {-20.0f, kFloorTop + 3.0f});
    for (int i = 0; i < 120 && !Player(0)->CanAct(); ++i)
        Frame();
    EXPECT_TRUE(Player(0)->CanAct());
    Frames(2);
    EXPECT_GT(Velocity(0).x, 0.0f);
}

TEST_F(PlayerInputTest, TheActionsCallTheirCharacterOperations)
{
    Move(Direction::Right).Execute(Player(0));
    EXPECT_FLOAT_EQ(Velocity(0).x, 1.5f);
    Jump(Direction::None).Execute(Player(0));
    EXPECT_FLOAT_EQ(Velocity(0).y, 4.4f);
    BasicAttack(Direction::Left).Execute(Player(0));
    EXPECT_EQ(Player(0)->GetCooldown(), 0.5f);
    EXPECT_TRUE(FacingLeft(0));
    const glm::vec2 before = Velocity(0);
    SpecialAttack(Direction::Right).Execute(Player(0));
    Block().Execute(Player(0));
    EXPECT_EQ(Velocity(0), before);
    EXPECT_EQ(Block().GetParameter(), 0);
}

} // namespace
