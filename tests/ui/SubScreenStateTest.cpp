// Options, how-to-play and credits are also states of their own (for the
// developer tools' state list): entered a second time, each starts afresh.

#include "core/Game.h"
#include "core/StateManager.h"
#include "core/Window.h"
#include "support/GameFrames.h"
#include "support/PrivateXServer.h"
#include "ui/ControlsState.h"
#include "ui/CreditsState.h"
#include "ui/OptionsState.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

class SubScreenStateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mServer.IsRunning());
        mPad = std::make_unique<VirtualPad>();
        StartGameOnFrameClock();
        // The pointer rests in a corner where no screen has a button.
        SDL_WarpMouseInWindow(gWindow->GetSDLWindow(), 0, 0);
        RunGameFrames(1);
    }

    void TearDown() override
    {
        mPad.reset();
        Game::Shutdown();
    }

    template <typename Screen>
    Screen* Enter(const std::string& name)
    {
        StateManager::SetNextState(name);
        RunGameFrames(2);
        return dynamic_cast<Screen*>(StateManager::GetCurrentState());
    }

    // Pointer moves stay on a display of this test's own.
    PrivateXServer mServer;
    std::unique_ptr<VirtualPad> mPad;
};

TEST_F(SubScreenStateTest, EachStartsAfreshWhenEnteredAgain)
{
    // Back has the focus on all three once the pad drives the menus.
    auto* options = Enter<fb::OptionsState>("OptionsState");
    ASSERT_TRUE(options);
    TapPad(*mPad, SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    TapPad(*mPad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(options->IsDone());

    auto* pages = Enter<fb::ControlsState>("ControlsState");
    ASSERT_TRUE(pages);
    TapPad(*mPad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    TapPad(*mPad, SDL_CONTROLLER_BUTTON_A, 2);
    EXPECT_EQ(pages->GetPage(), 2);
    TapPad(*mPad, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    TapPad(*mPad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(pages->IsDone());

    auto* credits = Enter<fb::CreditsState>("CreditsState");
    ASSERT_TRUE(credits);
    RunGameFrames(61);
    TapPad(*mPad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(credits->IsDone());

    EXPECT_FALSE(Enter<fb::OptionsState>("OptionsState")->IsDone());
    EXPECT_EQ(Enter<fb::ControlsState>("ControlsState")->GetPage(), 0);
    EXPECT_FALSE(pages->IsDone());
    // A finished roll starts again from the top, its Back locked for a second.
    EXPECT_FALSE(Enter<fb::CreditsState>("CreditsState")->IsDone());
    TapPad(*mPad, SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(credits->IsDone());
}

} // namespace
