#include "core/Controller.h"
#include "core/Time.h"
#include "platform/GamePad.h"
#include "support/VirtualPad.h"

#include <SDL.h>
#include <cmath>
#include <gtest/gtest.h>
#include <utility>

namespace {

// One pad in slot 0, read by a controller of its own.
class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        GamePad::Init();
        pad = std::make_unique<VirtualPad>();
        Read();
    }

    // One frame's read, as the input makes it.
    void Read()
    {
        GamePad::Poll();
        controller.Update();
    }
    void TearDown() override
    {
        pad.reset();
        GamePad::Shutdown();
    }

    // Sets a raw axis and reads the pad.
    glm::vec2 StickAfter(SDL_GameControllerAxis axis, Sint16 value)
    {
        pad->SetAxis(axis, value);
        Read();
        return axis == SDL_CONTROLLER_AXIS_RIGHTX || axis == SDL_CONTROLLER_AXIS_RIGHTY ? controller.GetRightStick()
                                                                                         : controller.GetStick();
    }

    std::unique_ptr<VirtualPad> pad;
    Controller controller{0};
};

constexpr std::pair<SDL_GameControllerButton, int> kButtonIndices[] = {
    {SDL_CONTROLLER_BUTTON_A, 0},
    {SDL_CONTROLLER_BUTTON_B, 1},
    {SDL_CONTROLLER_BUTTON_X, 2},
    {SDL_CONTROLLER_BUTTON_Y, 3},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 4},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 5},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, 6},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 7},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 8},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 9},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, 12},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, 13},
    {SDL_CONTROLLER_BUTTON_BACK, 14},
    {SDL_CONTROLLER_BUTTON_START, 15},
};

TEST(ControllerBeforePads, IsNotConnectedAndLeavesSDLAlone)
{
    // Controllers may be made by global initialisers, before anything of SDL
    // is running.
    Controller early(0);
    early.Update();
    early.Vibrate(1.0f, 1.0f, 1.0f);
    early.CheckConnection();
    EXPECT_FALSE(early.IsConnected());
    EXPECT_FALSE(early.JustPressed(0));
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u);
}

TEST_F(ControllerTest, EachButtonLandsOnItsIndexAlone)
{
    EXPECT_TRUE(controller.IsConnected());
    // The guide button has no index; 10 and 11 are never written.
    pad->Press(SDL_CONTROLLER_BUTTON_GUIDE);
    for (const auto& [button, index] : kButtonIndices) {
        pad->Press(button);
        Read();
        for (int other = -1; other <= 16; ++other)
            EXPECT_EQ(controller.JustPressed(other), other == index) << "pressed " << index << ", read " << other;
        pad->Release(button);
        Read();
        EXPECT_TRUE(controller.JustReleased(index)) << index;
    }
}

TEST_F(ControllerTest, PressAndReleaseEdgesLastOneFrame)
{
    pad->Press(SDL_CONTROLLER_BUTTON_A);
    Read();
    EXPECT_TRUE(controller.JustPressed(0));
    EXPECT_FALSE(controller.JustReleased(0));

    Read();
    EXPECT_FALSE(controller.JustPressed(0));
    EXPECT_FALSE(controller.JustReleased(0));

    pad->Release(SDL_CONTROLLER_BUTTON_A);
    Read();
    EXPECT_FALSE(controller.JustPressed(0));
    EXPECT_TRUE(controller.JustReleased(0));

    Read();
    EXPECT_FALSE(controller.JustReleased(0));
}

TEST_F(ControllerTest, SticksReachBothEndsWithYUp)
{
    EXPECT_FLOAT_EQ(StickAfter(SDL_CONTROLLER_AXIS_LEFTX, -32768).x, -1.0f);
    EXPECT_FLOAT_EQ(StickAfter(SDL_CONTROLLER_AXIS_LEFTX, 32767).x, 1.0f);
    // SDL's y points down: pushed fully up, SDL reads -32768.
    EXPECT_FLOAT_EQ(StickAfter(SDL_CONTROLLER_AXIS_LEFTY, -32768).y, 1.0f);
    EXPECT_FLOAT_EQ(StickAfter(SDL_CONTROLLER_AXIS_LEFTY, 32767).y, -1.0f);
    EXPECT_FLOAT_EQ(StickAfter(SDL_CONTROLLER_AXIS_RIGHTY, -32768).y, 1.0f);
    EXPECT_FLOAT_EQ(StickAfter(SDL_CONTROLLER_AXIS_RIGHTX, -32768).x, -1.0f);

    pad->SetStick(0.5f, 0.75f);
    Read();
    EXPECT_NEAR(controller.GetStick().x, 0.5f, 1e-4f);
    EXPECT_NEAR(controller.GetStick().y, 0.75f, 1e-4f);
}

TEST_F(ControllerTest, DeadZonesAreCutPerAxisAndKeepTheirEdge)
{
    // 0.25 of 32767 lies between 8191 and 8192.
    EXPECT_GT(StickAfter(SDL_CONTROLLER_AXIS_LEFTX, 8192).x, 0.25f);
    EXPECT_EQ(StickAfter(SDL_CONTROLLER_AXIS_LEFTX, 8191).x, 0.0f);
    EXPECT_EQ(StickAfter(SDL_CONTROLLER_AXIS_LEFTX, -8191).x, 0.0f);
    EXPECT_LT(StickAfter(SDL_CONTROLLER_AXIS_LEFTX, -8192).x, -0.25f);
    // 0.3 of 32767 lies between 9830 and 9831.
    EXPECT_GT(StickAfter(SDL_CONTROLLER_AXIS_LEFTY, -9831).y, 0.3f);
    EXPECT_EQ(StickAfter(SDL_CONTROLLER_AXIS_LEFTY, -9830).y, 0.0f);

    // 0.29 on both axes: past the x dead zone, inside the y one.
    pad->SetStick(0.29f, 0.29f);
    Read();
    EXPECT_NEAR(controller.GetStick().x, 0.29f, 1e-4f);
    EXPECT_EQ(controller.GetStick().y, 0.0f);

    pad->SetRightStick(0.29f, 0.29f);
    Read();
    EXPECT_NEAR(controller.GetRightStick().x, 0.29f, 1e-4f);
    EXPECT_EQ(controller.GetRightStick().y, 0.0f);
}

TEST_F(ControllerTest, TriggersRestAtZeroAndKeepEveryStep)
{
    EXPECT_EQ(controller.GetLeftTrigger(), 0.0f);
    EXPECT_EQ(controller.GetRightTrigger(), 0.0f);
    for (int step = 0; step <= 255; ++step) {
        pad->SetTriggers(step / 255.0f, (255 - step) / 255.0f);
        Read();
        ASSERT_FLOAT_EQ(controller.GetLeftTrigger(), step / 255.0f) << step;
        ASSERT_FLOAT_EQ(controller.GetRightTrigger(), (255 - step) / 255.0f) << step;
    }
    // The lightest touch counts as pressed.
    pad->SetTriggers(1.0f / 255.0f, 0.0f);
    Read();
    EXPECT_GT(controller.GetLeftTrigger(), 0.0f);
}

TEST_F(ControllerTest, StickDirectionFavoursLeftAndRightOnDiagonals)
{
    const struct {
        float x, y;
        int direction;
    } cases[] = {
        {0.0f, 0.0f, Direction::None},  {0.0f, 1.0f, Direction::Up},     {0.0f, -1.0f, Direction::Down},
        {-1.0f, 0.0f, Direction::Left}, {1.0f, 0.0f, Direction::Right},  {0.5f, 0.9f, Direction::Up},
        {0.7f, 0.7f, Direction::Right}, {-0.7f, -0.7f, Direction::Left}, {0.1f, 0.2f, Direction::None},
    };
    for (const auto& c : cases) {
        pad->SetStick(c.x, c.y);
        Read();
        EXPECT_EQ(controller.GetStickDirection(), c.direction) << c.x << ", " << c.y;
    }
}

TEST_F(ControllerTest, PulledOutReadsAsLetGoFromThatFrameOn)
{
    pad->Press(SDL_CONTROLLER_BUTTON_START);
    pad->Press(SDL_CONTROLLER_BUTTON_A);
    pad->SetStick(1.0f, -1.0f);
    pad->SetTriggers(1.0f, 0.5f);
    Read();
    ASSERT_TRUE(controller.JustPressed(15));

    pad->Unplug();
    Read();
    EXPECT_FALSE(controller.IsConnected());
    EXPECT_FALSE(controller.JustPressed(15));
    EXPECT_TRUE(controller.JustReleased(0));
    EXPECT_EQ(controller.GetStick(), glm::vec2(0.0f, 0.0f));
    EXPECT_EQ(controller.GetStickDirection(), Direction::None);
    EXPECT_EQ(controller.GetLeftTrigger() + controller.GetRightTrigger(), 0.0f);

    Read();
    EXPECT_FALSE(controller.JustReleased(0));
    EXPECT_FALSE(controller.JustPressed(15));
}

TEST_F(ControllerTest, RumbleStopsOnceItsUnscaledTimeIsUsed)
{
    Time::Init();
    Time::SetTimeScale(0.0f);
    controller.Vibrate(0.5f, 1.0f, 0.2f);
    EXPECT_EQ(pad->HeavyMotor(), 32767);
    EXPECT_EQ(pad->LightMotor(), 65535);

    // Follows the clock's own steps, whatever they are.
    float left = 0.2f;
    for (int frame = 0; frame < 100 && left > 0.0f; ++frame) {
        Time::Update();
        Read();
        left -= Time::GetDt();
        if (left > 0.0f) {
            ASSERT_EQ(pad->LightMotor(), 65535) << "stopped early, " << left << " s left";
        }
    }
    EXPECT_EQ(pad->HeavyMotor(), 0);
    EXPECT_EQ(pad->LightMotor(), 0);
}

TEST_F(ControllerTest, RumbleSpeedsAreClampedToTheMotorRange)
{
    // A carrier of five slimes asks for 5.0.
    controller.Vibrate(0.0f, 5.0f, 1.0f);
    EXPECT_EQ(pad->HeavyMotor(), 0);
    EXPECT_EQ(pad->LightMotor(), 65535);

    controller.Vibrate(-1.0f, NAN, 1.0f);
    EXPECT_EQ(pad->HeavyMotor(), 0);
    EXPECT_EQ(pad->LightMotor(), 0);

    controller.Vibrate(0.25f, 0.75f, 1.0f);
    EXPECT_EQ(pad->HeavyMotor(), 16383);
    EXPECT_EQ(pad->LightMotor(), 49151);
}

TEST_F(ControllerTest, StopVibrationStopsAtOnce)
{
    controller.Vibrate(0.75f, 0.75f, 10.0f);
    ASSERT_EQ(pad->HeavyMotor(), 49151);
    controller.StopVibration();
    EXPECT_EQ(pad->HeavyMotor(), 0);
    EXPECT_EQ(pad->LightMotor(), 0);
}

TEST_F(ControllerTest, ARumbleThatWouldNeverRunOutStopsAtOnce)
{
    for (float duration : {NAN, INFINITY, -INFINITY, 0.0f, -0.5f}) {
        controller.Vibrate(1.0f, 1.0f, 10.0f);
        ASSERT_EQ(pad->HeavyMotor(), 65535);
        controller.Vibrate(1.0f, 1.0f, duration);
        EXPECT_EQ(pad->HeavyMotor(), 0) << duration;
        EXPECT_EQ(pad->LightMotor(), 0) << duration;
        // A later rumble still runs.
        controller.Vibrate(0.0f, 1.0f, 10.0f);
        Read();
        EXPECT_EQ(pad->LightMotor(), 65535) << duration;
    }
}

} // namespace
