#include "CharacterTestRig.h"

#include <cmath>

namespace {

class CharacterMovementTest : public CharacterWorld {
protected:
    void SetUp() override
    {
        CharacterWorld::SetUp();
        StartPlayers(1, {-20.0f});
    }
};

TEST_F(CharacterMovementTest, StandsOnTheFloorOfTheLevel)
{
    Frames(30);
    EXPECT_TRUE(Player(0)->IsGrounded());
    EXPECT_NEAR(Position(0).y, kFloorTop + kHalfBody, 0.05f);
    EXPECT_EQ(Velocity(0), glm::vec2(0.0f, 0.0f));
}

TEST_F(CharacterMovementTest, RunsUpToTheMaximumSpeedAndStopsAtOnceOnTheGround)
{
    const float startX = Position(0).x;
    Pad(0).SetStick(1.0f, 0.0f);
    Frame();
    EXPECT_FLOAT_EQ(Velocity(0).x, 1.5f);
    Frame();
    EXPECT_FLOAT_EQ(Velocity(0).x, 3.0f);
    Frames(20);
    EXPECT_FLOAT_EQ(Velocity(0).x, 12.0f);
    EXPECT_FALSE(FacingLeft(0));
    EXPECT_GT(Position(0).x, startX + 2.0f);

    Pad(0).SetStick(0.0f, 0.0f);
    Frame();
    EXPECT_EQ(Velocity(0).x, 0.0f);
    const float stoppedAt = Position(0).x;
    Frames(10);
    EXPECT_FLOAT_EQ(Position(0).x, stoppedAt);

    Pad(0).SetStick(-1.0f, 0.0f);
    Frames(3);
    EXPECT_FLOAT_EQ(Velocity(0).x, -4.5f);
    EXPECT_TRUE(FacingLeft(0));
}

TEST_F(CharacterMovementTest, UpAndDownStopTheRunnerOnTheGround)
{
    Pad(0).SetStick(1.0f, 0.0f);
    Frames(5);
    Pad(0).SetStick(0.3f, 0.9f);
    Frame();
    EXPECT_EQ(Velocity(0).x, 0.0f);
    Pad(0).SetStick(1.0f, 0.0f);
    Frames(5);
    Pad(0).SetStick(-0.3f, -0.9f);
    Frame();
    EXPECT_EQ(Velocity(0).x, 0.0f);
}

TEST_F(CharacterMovementTest, AnExactDiagonalCountsAsSideways)
{
    Pad(0).SetStick(0.7f, 0.7f);
    Frames(2);
    EXPECT_FLOAT_EQ(Velocity(0).x, 3.0f);
    Pad(0).SetStick(-0.7f, -0.7f);
    Frames(4);
    EXPECT_FLOAT_EQ(Velocity(0).x, -3.0f);
    EXPECT_TRUE(FacingLeft(0));
}

TEST_F(CharacterMovementTest, HoldingJumpRisesByFifthsOfTheJumpSpeed)
{
    Pad(0).Press(SDL_CONTROLLER_BUTTON_A);
    for (float expected : {4.4f, 8.8f, 13.2f}) {
        Frame();
        EXPECT_NEAR(Velocity(0).y, expected, 1.0e-4f);
    }
    EXPECT_GE(log->Count("jump", Body(0)), 1);
    // Once off the ground gravity pulls too, so the top speed comes a frame
    // or two later; it is never passed.
    for (int i = 0; i < 5 && !Player(0)->IsJumpHeld(); ++i)
        Frame();
    EXPECT_TRUE(Player(0)->IsJumpHeld());
    EXPECT_FLOAT_EQ(Velocity(0).y, 22.0f);

    // Held: no more lift, gravity takes over.
    Frame();
    EXPECT_LT(Velocity(0).y, 22.0f);
    EXPECT_FALSE(Player(0)->IsGrounded());
}

TEST_F(CharacterMovementTest, AFullJumpClimbsAboutFourUnitsAndATapFarLess)
{
    const float ground = Position(0).y;
    const float fullTop = JumpAndLand(0, ground);
    EXPECT_GT(fullTop - ground, 3.5f);
    EXPECT_LT(fullTop - ground, 4.8f);
    EXPECT_TRUE(Player(0)->IsGrounded());
    EXPECT_NEAR(Position(0).y, ground, 0.05f);

    Pad(0).Press(SDL_CONTROLLER_BUTTON_A);
    Frames(2);
    Pad(0).Release(SDL_CONTROLLER_BUTTON_A);
    float tapTop = ground;
    for (int i = 0; i < 120; ++i) {
        Frame();
        tapTop = std::max(tapTop, Position(0).y);
    }
    EXPECT_LT(tapTop - ground, (fullTop - ground) / 2.0f);
    EXPECT_GT(tapTop - ground, 0.2f);
    EXPECT_TRUE(Player(0)->IsGrounded());
}

TEST_F(CharacterMovementTest, SteeringInTheAirIsDividedByTheDrag)
{
    Pad(0).Press(SDL_CONTROLLER_BUTTON_A);
    Frames(8);
    ASSERT_FALSE(Player(0)->IsGrounded());
    Pad(0).SetStick(1.0f, 0.0f);
    Frame();
    const float first = Velocity(0).x;
    Frame();
    EXPECT_FLOAT_EQ(Velocity(0).x - first, 1.5f / 2.0f);

    // In the air letting go keeps the speed.
    Pad(0).SetStick(0.0f, 0.0f);
    Frame();
    EXPECT_FLOAT_EQ(Velocity(0).x, first + 0.75f);
}

TEST_F(CharacterMovementTest, TheAirJumpComesOnlyAfterTheButtonWasLetGo)
{
    Pad(0).Press(SDL_CONTROLLER_BUTTON_A);
    Frames(12);
    ASSERT_FALSE(Player(0)->IsGrounded());
    EXPECT_TRUE(Player(0)->HasDoubleJump());
    EXPECT_EQ(log->Count("doubleJump"), 0);

    // Let go: the release step arms the air jump before the next press.
    Pad(0).Release(SDL_CONTROLLER_BUTTON_A);
    Frame();
    EXPECT_TRUE(Player(0)->CanAirJump());
    EXPECT_FALSE(Player(0)->IsJumpHeld());

    Pad(0).Press(SDL_CONTROLLER_BUTTON_A);
    Frame();
    EXPECT_EQ(log->Count("doubleJump", Body(0)), 1);
    EXPECT_FALSE(Player(0)->HasDoubleJump());
    EXPECT_GT(Velocity(0).y, 4.0f);
    Frames(6);
    EXPECT_TRUE(Player(0)->IsJumpHeld());

    // A third press in the air does nothing.
    Pad(0).Release(SDL_CONTROLLER_BUTTON_A);
    Frames(10);
    const float falling = Velocity(0).y;
    Pad(0).Press(SDL_CONTROLLER_BUTTON_A);
    Frame();
    EXPECT_LT(Velocity(0).y, falling);
    EXPECT_EQ(log->Count("doubleJump"), 1);
    EXPECT_EQ(log->Count("wallJump"), 0);

    Pad(0).Release(SDL_CONTROLLER_BUTTON_A);
    for (int i = 0; i < 240 && !Player(0)->IsGrounded(); ++i)
        Frame();
    EXPECT_TRUE(Player(0)->IsGrounded());
    EXPECT_FALSE(Player(0)->CanAirJump());
}

TEST_F(CharacterMovementTest, JumpingOffAWallPushesAwayFromIt)
{
    // The free-standing wall left of the middle: its right face is at x -24.
    Teleport(0, {-24.0f + kHalfBody + 0.3f, 2.0f});
    Pad(0).SetStick(-1.0f, 0.0f);
    for (int i = 0; i < 30 && !Body(0)->GetComponent<fb::cmp::AdvancedBody>()->CollisionDetected(2, 3); ++i)
        Frame();
    ASSERT_FALSE(Player(0)->IsGrounded());

    Pad(0).Press(SDL_CONTROLLER_BUTTON_A);
    Frame();
    EXPECT_EQ(log->Count("wallJump", Body(0)), 1);
    EXPECT_FLOAT_EQ(Velocity(0).x, 12.0f * 0.8f);
    EXPECT_FLOAT_EQ(Velocity(0).y, 22.0f);
    EXPECT_TRUE(FacingLeft(0));
    EXPECT_TRUE(Player(0)->IsJumpHeld());
    // Pressed into the wall, the body's next contact takes the sideways
    // speed; the jump still goes up the wall.
    const float before = Position(0).y;
    Frames(5);
    EXPECT_GT(Position(0).y, before + 1.0f);
}

TEST_F(CharacterMovementTest, JumpingOffAWallWithoutSteeringUsesTheFullSpeed)
{
    // The outer wall on the right: its face is at x 34.
    Teleport(0, {34.0f - kHalfBody - 0.3f, 2.0f});
    Pad(0).SetStick(1.0f, 0.0f);
    for (int i = 0; i < 30 && !Body(0)->GetComponent<fb::cmp::AdvancedBody>()->CollisionDetected(2, 4); ++i)
        Frame();
    // Let go so that the body just touches the wall.
    Pad(0).SetStick(0.0f, 0.0f);
    Frames(2);
    ASSERT_TRUE(Body(0)->GetComponent<fb::cmp::AdvancedBody>()->CollisionDetected(2, 4));
    Pad(0).Press(SDL_CONTROLLER_BUTTON_A);
    Frame();
    EXPECT_EQ(log->Count("wallJump", Body(0)), 1);
    EXPECT_FLOAT_EQ(Velocity(0).x, -12.0f);
    EXPECT_FLOAT_EQ(Velocity(0).y, 22.0f);
    EXPECT_TRUE(FacingLeft(0));
    const float from = Position(0).x;
    Frames(10);
    EXPECT_LT(Position(0).x, from - 1.5f);
}

TEST_F(CharacterMovementTest, LandsOnAJumpThroughPlatformAndDropsThroughIt)
{
    Teleport(0, {0.0f, kPlatformTop + 3.0f});
    Frame();
    for (int i = 0; i < 120 && !Player(0)->IsGrounded(); ++i)
        Frame();
    ASSERT_TRUE(Player(0)->IsGrounded());
    Frames(10);
    EXPECT_NEAR(Position(0).y, kPlatformTop + kHalfBody, 0.1f);

    // Down and jump: no lift, the feet let go of the platform.
    Pad(0).SetStick(0.0f, -1.0f);
    Pad(0).Press(SDL_CONTROLLER_BUTTON_A);
    Frame();
    EXPECT_TRUE(Player(0)->IsDroppingThrough());
    EXPECT_TRUE(Player(0)->IsJumpHeld());
    EXPECT_EQ(Velocity(0).y, 0.0f);
    EXPECT_EQ(log->Count("jump"), 0);
    for (int i = 0; i < 240 && Position(0).y > kFloorTop + 1.0f; ++i)
        Frame();
    Pad(0).Release(SDL_CONTROLLER_BUTTON_A);
    Pad(0).SetStick(0.0f, 0.0f);
    Frames(10);
    EXPECT_TRUE(Player(0)->IsGrounded());
    EXPECT_NEAR(Position(0).y, kFloorTop + kHalfBody, 0.05f);
}

TEST_F(CharacterMovementTest, RisesThroughAJumpThroughPlatformAndLandsOnIt)
{
    // In mid-jump just under the platform.
    Teleport(0, {0.0f, kPlatformTop - 2.0f}, {0.0f, 25.0f});
    Player(0)->SetGrounded(false);
    Player(0)->SetJumpHeld();
    Body(0)->GetComponent<fb::cmp::AdvancedBody>()->SetAcceleration({0.0f, CharacterGlobals::GetGravity()});
    float top = Position(0).y;
    for (int i = 0; i < 240 && !(Player(0)->IsGrounded() && Velocity(0).y == 0.0f); ++i) {
        Frame();
        top = std::max(top, Position(0).y);
    }
    Frames(10);
    EXPECT_GT(top, kPlatformTop + kHalfBody);
    EXPECT_TRUE(Player(0)->IsGrounded());
    EXPECT_NEAR(Position(0).y, kPlatformTop + kHalfBody, 0.1f);
}

} // namespace
