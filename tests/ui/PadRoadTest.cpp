// The whole front end walked with a game pad, in process: from the main
// menu through its sub-screens and the level select into a match, through
// the pause menu and back out, until the game quits. The intro before the
// main menu takes no input; the play-through and the every-screen walk
// pass it.

#include "audio/AudioEngine.h"
#include "core/EntityManager.h"
#include "core/Game.h"
#include "core/StateManager.h"
#include "core/Time.h"
#include "core/Window.h"
#include "game/TolveyTestState.h"
#include "level/Level.h"
#include "render/CamManager.h"
#include "support/GameFrames.h"
#include "support/PrivateXServer.h"
#include "ui/Button.h"
#include "ui/ControlsState.h"
#include "ui/InputMode.h"
#include "ui/IntroState.h"
#include "ui/LevelSelectState.h"
#include "ui/MainMenuState.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace {

using Screen = SubScreenHost::Screen;

class PadRoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mServer.IsRunning());
        mPads = PlugInPads(kPads);
        StartGameOnFrameClock();
        // The pointer rests in a corner where no screen has a button.
        SDL_WarpMouseInWindow(gWindow->GetSDLWindow(), 0, 0);
    }

    void TearDown() override
    {
        mPads.clear();
        Game::Shutdown();
    }

    static void Frames(int count) { RunGameFrames(count); }
    // On the first pad.
    void Tap(SDL_GameControllerButton button, int times = 1) { TapPad(*mPads[0], button, times); }

    template <typename State>
    State* Current() const
    {
        return dynamic_cast<State*>(StateManager::GetCurrentState());
    }

    // The frames it took, or -1 when the state did not come within `most`.
    template <typename State>
    int FramesUntil(int most)
    {
        for (int frame = 0; frame < most; ++frame) {
            if (Current<State>())
                return frame;
            Game::Frame();
        }
        return Current<State>() ? most : -1;
    }

    // The named button of the entity manager's list that has the focus.
    static bool HasFocus(const std::string& name)
    {
        for (const auto& entity : EntityManager::GetEntities()) {
            if (entity->GetName() != name)
                continue;
            auto button = entity->GetComponent<Button>();
            return button && button->IsSelected();
        }
        return false;
    }

    static constexpr int kPads = 2;
    // Pointer moves stay on a display of this test's own, whose small
    // screen also draws quickly.
    PrivateXServer mServer;
    std::vector<std::unique_ptr<VirtualPad>> mPads;
};

TEST_F(PadRoad, APadLeadsFromTheMainMenuThroughEveryScreenAndOut)
{
    ASSERT_TRUE(Current<fb::IntroState>());
    StateManager::SetNextState("MainMenuState");
    ASSERT_GE(FramesUntil<fb::MainMenuState>(3), 0);
    fb::MainMenuState* menu = Current<fb::MainMenuState>();
    ASSERT_TRUE(menu);

    // A d-pad touch with the mouse at rest hands the menus to the pad; the
    // first button of the menu takes the focus.
    ASSERT_TRUE(IsMouseMode());
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_FALSE(IsMouseMode());
    Frames(1);
    EXPECT_TRUE(HasFocus("Play Button"));

    // Options: Play -> Controls -> Options.
    Tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    EXPECT_TRUE(HasFocus("Controls Button"));
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    EXPECT_TRUE(HasFocus("Options Button"));
    Tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(menu->GetSubScreen().IsOpen());
    EXPECT_EQ(menu->GetSubScreen().GetScreen(), Screen::Options);
    EXPECT_EQ(CamManager::GetActiveCamera()->GetPosition().y, 1000.0f);
    // Back has the focus; right is music down, down from there effects down.
    Tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    Tap(SDL_CONTROLLER_BUTTON_A);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_FLOAT_EQ(AudioEngine::GetGroupVolume("Music"), 0.4f);
    EXPECT_FLOAT_EQ(AudioEngine::GetGroupVolume("Effects"), 0.65f);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(menu->GetSubScreen().IsOpen());
    EXPECT_EQ(CamManager::GetActiveCamera()->GetPosition().y, 0.0f);
    Frames(1);
    EXPECT_TRUE(HasFocus("Play Button"));

    // How to play: Back has the focus, next is to its right; the last page
    // offers Play in next's place, and previous takes it away again.
    Tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    Tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(menu->GetSubScreen().GetScreen(), Screen::Controls);
    auto* pages = dynamic_cast<fb::ControlsState*>(menu->GetSubScreen().GetOpen());
    ASSERT_TRUE(pages);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    Tap(SDL_CONTROLLER_BUTTON_A, fb::ControlsState::kPageCount - 1);
    EXPECT_EQ(pages->GetPage(), 4);
    // Next went away under the focus; the framework gave it to Play.
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(pages->GetPage(), 3);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(menu->GetSubScreen().IsOpen());
    EXPECT_TRUE(Current<fb::MainMenuState>());

    // Credits: Back is refused in the roll's first second.
    Frames(1);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN, 2);
    EXPECT_TRUE(HasFocus("Credits Button"));
    Tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(menu->GetSubScreen().GetScreen(), Screen::Credits);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_TRUE(menu->GetSubScreen().IsOpen());
    Frames(60);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(menu->GetSubScreen().IsOpen());

    // The level select counts the pads and steps through the maps.
    Frames(1);
    Tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_GE(FramesUntil<fb::LevelSelectState>(3), 0);
    auto* select = Current<fb::LevelSelectState>();
    EXPECT_EQ(fb::LevelSelectState::PlayersDetectedText(), "Players Detected: " + std::to_string(kPads));
    const int firstMap = select->GetIndex();
    const std::string firstPath = GetLevelPath();
    Frames(1);
    EXPECT_TRUE(HasFocus("Play Button"));
    Tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_NE(select->GetIndex(), firstMap);
    EXPECT_NE(GetLevelPath(), firstPath);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    Tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_GE(FramesUntil<fb::TolveyTestState>(3), 0);

    // The match: Start is refused during the countdown, then pauses.
    Tap(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(Time::GetTimeScale(), 1.0f);
    Frames(5 * 60);
    Tap(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(Time::GetTimeScale(), 0.0f);
    // Options inside the match (Resume -> Credits -> Options), and back.
    Frames(1);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN, 2);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(CamManager::GetActiveCamera()->GetPosition().y, 1000.0f);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_NE(CamManager::GetActiveCamera()->GetPosition().y, 1000.0f);
    EXPECT_EQ(Time::GetTimeScale(), 0.0f);
    // Quit asks first; Yes has the focus.
    Frames(2);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN, 4);
    Tap(SDL_CONTROLLER_BUTTON_A);
    Tap(SDL_CONTROLLER_BUTTON_START);
    EXPECT_EQ(Time::GetTimeScale(), 0.0f);
    Tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_GE(FramesUntil<fb::MainMenuState>(3), 0);
    EXPECT_EQ(Time::GetTimeScale(), 1.0f);

    // Quit, Yes: the game stops.
    Frames(1);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN, 3);
    EXPECT_TRUE(HasFocus("Quit Button"));
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(Current<fb::MainMenuState>()->IsAskingToQuit(), 1);
    Frames(1);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(StateManager::IsRunning());
}

} // namespace
