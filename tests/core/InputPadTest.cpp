#include "core/Input.h"
#include "platform/GamePad.h"
#include "support/VirtualPad.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

using Slots = std::vector<bool>;

// Which of the four controllers are connected, in pad order.
Slots Connected()
{
    Slots connected;
    for (unsigned i = 0; i < 4; ++i)
        connected.push_back(Input::GetController(i)->IsConnected());
    return connected;
}

class InputPadTest : public ::testing::Test {
protected:
    void SetUp() override { Input::Init(); }
    void TearDown() override { Input::Shutdown(); }
};

TEST(InputBeforeInit, HasNoControllers)
{
    Input::Update();
    Input::PollConnections();
    EXPECT_EQ(Input::GetController(0), nullptr);
    EXPECT_EQ(Input::FirstConnected(), nullptr);
    EXPECT_EQ(Input::CountConnected(), 0);
    EXPECT_FALSE(Input::AnyJustPressed());
}

TEST(InputStart, RunsTheGameControllerSubsystemItself)
{
    // The game starts only SDL video; the pads are the input's business.
    Input::Init();
    EXPECT_NE(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
    Input::Shutdown();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
    EXPECT_EQ(Input::GetController(0), nullptr);
}

TEST(InputStart, PicksUpPadsAlreadyPluggedIn)
{
    auto pads = PlugInPads(4);
    Input::Init();
    EXPECT_EQ(Input::CountConnected(), 4);
    for (unsigned i = 0; i < 4; ++i) {
        ASSERT_NE(Input::GetController(i), nullptr);
        EXPECT_EQ(Input::GetController(i)->GetPadIndex(), i);
    }
    EXPECT_EQ(Input::GetController(4), nullptr);
    Input::Shutdown();
}

TEST_F(InputPadTest, PadsKeepTheirSlotsThroughHotPlugging)
{
    Input::Update();
    EXPECT_EQ(Connected(), Slots({false, false, false, false}));
    EXPECT_EQ(Input::FirstConnected(), nullptr);

    VirtualPad first;
    Input::Update();
    EXPECT_EQ(Connected(), Slots({true, false, false, false}));

    auto second = std::make_unique<VirtualPad>();
    Input::Update();
    EXPECT_EQ(Connected(), Slots({true, true, false, false}));

    first.Unplug();
    Input::Update();
    EXPECT_EQ(Connected(), Slots({false, true, false, false}));
    EXPECT_EQ(Input::FirstConnected(), Input::GetController(1));

    // The second pad still plays as pad 1.
    second->Press(SDL_CONTROLLER_BUTTON_A);
    Input::Update();
    EXPECT_TRUE(Input::GetController(1)->JustPressed(0));
    EXPECT_FALSE(Input::GetController(0)->JustPressed(0));

    // A new pad fills the lowest free slot.
    VirtualPad third;
    third.Press(SDL_CONTROLLER_BUTTON_B);
    Input::Update();
    EXPECT_EQ(Connected(), Slots({true, true, false, false}));
    EXPECT_TRUE(Input::GetController(0)->JustPressed(1));
    EXPECT_EQ(Input::CountConnected(), 2);

    second.reset();
    Input::Update();
    EXPECT_EQ(Connected(), Slots({true, false, false, false}));
}

TEST_F(InputPadTest, AFifthPadWaitsForAFreeSlot)
{
    auto pads = PlugInPads(4);
    Input::Update();
    VirtualPad fifth;
    fifth.Press(SDL_CONTROLLER_BUTTON_X);
    Input::Update();
    EXPECT_EQ(Input::CountConnected(), 4);
    for (unsigned i = 0; i < 4; ++i)
        EXPECT_FALSE(Input::GetController(i)->JustPressed(2)) << i;

    pads[2]->Unplug();
    fifth.Release(SDL_CONTROLLER_BUTTON_X);
    Input::Update();
    fifth.Press(SDL_CONTROLLER_BUTTON_X);
    Input::Update();
    EXPECT_EQ(Input::CountConnected(), 4);
    EXPECT_TRUE(Input::GetController(2)->JustPressed(2));
}

TEST_F(InputPadTest, PollConnectionsPicksUpButDoesNotDrop)
{
    auto pad = std::make_unique<VirtualPad>();
    Input::PollConnections();
    EXPECT_TRUE(Input::GetController(0)->IsConnected());

    pad.reset();
    Input::PollConnections();
    EXPECT_TRUE(Input::GetController(0)->IsConnected());
    Input::Update();
    EXPECT_FALSE(Input::GetController(0)->IsConnected());
}

TEST_F(InputPadTest, StartOnAnyPadCountsForOneFrame)
{
    auto pads = PlugInPads(3);
    Input::Update();
    EXPECT_FALSE(Input::AnyJustPressed());

    pads[2]->Press(SDL_CONTROLLER_BUTTON_START);
    Input::Update();
    EXPECT_TRUE(Input::AnyJustPressed());
    Input::Update();
    EXPECT_FALSE(Input::AnyJustPressed());

    // Other buttons do not count.
    pads[0]->Press(SDL_CONTROLLER_BUTTON_BACK);
    Input::Update();
    EXPECT_FALSE(Input::AnyJustPressed());
}

TEST_F(InputPadTest, RumbleGoesToItsOwnPad)
{
    auto pads = PlugInPads(2);
    Input::Update();
    Input::GetController(1)->Vibrate(0.25f, 0.25f, 1.0f);
    EXPECT_EQ(pads[0]->RumbleChanges(), 0);
    EXPECT_EQ(pads[1]->HeavyMotor(), 16383);
    EXPECT_EQ(pads[1]->LightMotor(), 16383);
}

TEST_F(InputPadTest, ShutdownStopsTheMotors)
{
    VirtualPad pad;
    Input::Update();
    Input::GetController(0)->Vibrate(1.0f, 1.0f, 60.0f);
    ASSERT_EQ(pad.HeavyMotor(), 65535);
    Input::Shutdown();
    EXPECT_EQ(pad.HeavyMotor(), 0);
    EXPECT_EQ(pad.LightMotor(), 0);
    Input::Init();
}

// SDL may build a mapping each time it is asked about a pad it maps by
// itself, as it does the test pads, so looking through the devices every
// frame grows slower and slower.
TEST_F(InputPadTest, DevicesAreLookedThroughOnlyAfterAPlugOrAPull)
{
    auto pads = PlugInPads(4);
    Input::Update();
    ASSERT_EQ(Input::CountConnected(), 4);
    const unsigned scans = GamePad::DeviceScans();
    for (int frame = 0; frame < 100; ++frame) {
        Input::Update();
        Input::PollConnections();
    }
    EXPECT_EQ(GamePad::DeviceScans(), scans);

    // The window empties SDL's event queue before the input runs; the pad
    // layer still learns of the swap.
    SDL_Event event;
    pads[3]->Unplug();
    VirtualPad late;
    late.Press(SDL_CONTROLLER_BUTTON_Y);
    while (SDL_PollEvent(&event)) {
    }
    Input::Update();
    EXPECT_EQ(Input::CountConnected(), 4);
    EXPECT_TRUE(Input::GetController(3)->JustPressed(3));
    EXPECT_GT(GamePad::DeviceScans(), scans);
}

TEST_F(InputPadTest, InitTwiceKeepsOneSetOfControllers)
{
    VirtualPad pad;
    Input::Init();
    Input::Update();
    EXPECT_EQ(Input::CountConnected(), 1);
    EXPECT_EQ(Input::GetController(4), nullptr);
}

} // namespace
