#include "CharacterTestRig.h"
#include "support/VirtualKeyboard.h"

namespace {

// Real key presses into the game's window; the keyboard drives player 0.
class PlayerKeyboardTest : public CharacterWorld {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(keys.IsRunning());
        CharacterWorld::SetUp();
        ASSERT_TRUE(keys.Attach(window->GetWindow().GetSDLWindow()));
    }

    // The window pumps the key events, then the frame runs.
    void KeyFrames(int count)
    {
        for (int i = 0; i < count; ++i) {
            window->GetWindow().Update();
            Frame();
        }
    }

    VirtualKeyboard keys; // made before SDL video starts
};

TEST_F(PlayerKeyboardTest, WithoutPadsTheArrowsRunAndSpaceJumps)
{
    StartPlayers(0, {-20.0f});
    keys.Press(SDL_SCANCODE_RIGHT);
    KeyFrames(3);
    EXPECT_FLOAT_EQ(Velocity(0).x, 4.5f);
    EXPECT_FALSE(FacingLeft(0));
    keys.Release(SDL_SCANCODE_RIGHT);
    keys.Press(SDL_SCANCODE_A);
    KeyFrames(2);
    EXPECT_TRUE(FacingLeft(0));
    keys.Release(SDL_SCANCODE_A);
    KeyFrames(1);
    EXPECT_EQ(Velocity(0).x, 0.0f);

    keys.Press(SDL_SCANCODE_SPACE);
    KeyFrames(12);
    EXPECT_GE(log->Count("jump", Body(0)), 1);
    EXPECT_FALSE(Player(0)->IsGrounded());
    keys.Release(SDL_SCANCODE_SPACE);
    KeyFrames(1);
    EXPECT_TRUE(Player(0)->CanAirJump());
    keys.Press(SDL_SCANCODE_SPACE);
    KeyFrames(1);
    EXPECT_EQ(log->Count("doubleJump", Body(0)), 1);
    keys.Release(SDL_SCANCODE_SPACE);
}

TEST_F(PlayerKeyboardTest, ZPunchesWhileTheArrowsSteer)
{
    StartPlayers(0, {-20.0f});
    keys.Press(SDL_SCANCODE_LEFT);
    keys.Press(SDL_SCANCODE_Z);
    KeyFrames(1);
    EXPECT_EQ(log->Count("punchMiss", Body(0)), 1);
    EXPECT_EQ(Player(0)->GetCooldown(), 0.5f);
    EXPECT_TRUE(FacingLeft(0));
    EXPECT_FLOAT_EQ(Velocity(0).x, -1.5f);
    keys.Release(SDL_SCANCODE_LEFT);
    keys.Release(SDL_SCANCODE_Z);
}

TEST_F(PlayerKeyboardTest, AnIdleFirstPadLeavesTheFirstPlayerToTheKeyboard)
{
    StartPlayers(1, {-20.0f});
    keys.Press(SDL_SCANCODE_D);
    KeyFrames(2);
    EXPECT_FLOAT_EQ(Velocity(0).x, 3.0f);

    // A pad that asks for something wins over the keys.
    Pad(0).SetStick(-1.0f, 0.0f);
    KeyFrames(1);
    EXPECT_FLOAT_EQ(Velocity(0).x, 1.5f);
    keys.Release(SDL_SCANCODE_D);
}

} // namespace
