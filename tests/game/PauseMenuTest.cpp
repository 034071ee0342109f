// The pause menu in a running game, driven by a real Escape key and a pad:
// the toggle and its refusals, the time scale it keeps, the sub-screens it
// runs inside the match, and the questions before Restart and Quit.

#include "audio/AudioEngine.h"
#include "audio/SoundEvent.h"
#include "core/EntityManager.h"
#include "core/Game.h"
#include "core/StateManager.h"
#include "core/Time.h"
#include "core/Window.h"
#include "game/PauseMenu.h"
#include "level/Level.h"
#include "render/CamManager.h"
#include "support/GameFrames.h"
#include "support/StateStandIn.h"
#include "support/VirtualKeyboard.h"
#include "support/VirtualPad.h"
#include "ui/ControlsState.h"
#include "ui/InputMode.h"
#include "ui/ScreenMusic.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace {

using Request = PauseMenu::Request;
using Screen = SubScreenHost::Screen;

// Stands in for the match: its camera, a time scale of its own, and the
// pause menu run as the match runs it.
class PausingMatch : public fb::GS {
public:
    void Init() override
    {
        camera = std::make_shared<CamManager::Camera>(glm::vec2(3.0f, -2.0f), 0.0f, 40.0f, 20.0f);
        CamManager::SetActiveCamera(camera);
        Time::SetTimeScale(0.5f);
        // The credits play this track too.
        PlayScreenMusic(music, "./assets/sound/AlmightyDollar.mp3");
        menu.Start(1.0f, camera, &music);
    }
    void Update() override
    {
        if (!menu.RunSubScreen())
            return;
        ++menuFrames;
        const Request request = menu.Update(canPause);
        if (request != Request::None)
            last = request;
    }
    void Exit() override
    {
        menu.Close();
        music.Stop();
        EntityManager::Clear();
        Time::SetTimeScale(1.0f);
    }

    PauseMenu menu;
    fb::SoundEvent music;
    std::shared_ptr<CamManager::Camera> camera;
    bool canPause = true;
    int menuFrames = 0;
    Request last = Request::None;
};

class PauseMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mKeys.IsRunning());
        Game::Init();
        ASSERT_TRUE(mKeys.Attach(gWindow->GetSDLWindow()));
        // The pointer rests in a corner where no screen has a button.
        SDL_WarpMouseInWindow(gWindow->GetSDLWindow(), 0, 0);
        mMatchName.emplace("PausingMatch", mMatch);
        StateManager::SetNextState("PausingMatch");
        Frames(2);
        ASSERT_EQ(StateManager::GetCurrentState(), &mMatch);
    }

    void TearDown() override
    {
        StateManager::SetNextState("IntroState");
        Frames(1);
        mPad.reset();
        Game::Shutdown();
        mMatchName.reset();
    }

    static void Frames(int count) { RunGameFrames(count); }
    void Tap(SDL_GameControllerButton button, int times = 1) { TapPad(*mPad, button, times); }

    void HoldEscape(int frames)
    {
        mKeys.Press(SDL_SCANCODE_ESCAPE);
        Frames(frames);
        mKeys.Release(SDL_SCANCODE_ESCAPE);
        Frames(2);
    }

    VirtualKeyboard mKeys; // made before SDL video starts
    std::unique_ptr<VirtualPad> mPad = std::make_unique<VirtualPad>();
    PausingMatch mMatch;
    std::optional<StateStandIn> mMatchName;
    PauseMenu& mMenu = mMatch.menu;
};

TEST_F(PauseMenuTest, PausesResumesAndRunsItsScreensInsideTheMatch)
{
    // Refused while the match says no (countdown, winner).
    mMatch.canPause = false;
    Tap(SDL_CONTROLLER_BUTTON_START);
    HoldEscape(3);
    EXPECT_FALSE(mMenu.IsPaused());
    EXPECT_EQ(Time::GetTimeScale(), 0.5f);

    // Held Escape toggles once; the time scale comes back as the match had it.
    mMatch.canPause = true;
    HoldEscape(10);
    EXPECT_TRUE(mMenu.IsPaused());
    EXPECT_EQ(Time::GetTimeScale(), 0.0f);
    HoldEscape(1);
    EXPECT_FALSE(mMenu.IsPaused());
    EXPECT_EQ(Time::GetTimeScale(), 0.5f);
    Tap(SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(mMenu.IsPaused());

    // The pad takes the menu; Resume has the focus. Options are two down.
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    ASSERT_FALSE(IsMouseMode());
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN, 2);
    Tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(mMenu.GetSubScreen().IsOpen());
    EXPECT_EQ(mMenu.GetSubScreen().GetScreen(), Screen::Options);
    EXPECT_EQ(CamManager::GetActiveCamera()->GetPosition().y, 1000.0f);
    // While it is open the match waits, paused.
    const int menuFrames = mMatch.menuFrames;
    HoldEscape(3);
    EXPECT_EQ(mMatch.menuFrames, menuFrames);
    EXPECT_EQ(Time::GetTimeScale(), 0.0f);
    // Back (focused) closes it: the match camera and the menu come back.
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(mMenu.GetSubScreen().IsOpen());
    EXPECT_EQ(CamManager::GetActiveCamera(), mMatch.camera);
    EXPECT_TRUE(mMenu.IsPaused());

    // The how-to-play pages of a match have no Play on the last page: the
    // focus falls to Back there, which closes them without a new match.
    const std::string map = GetLevelPath();
    Frames(2);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN, 3);
    Tap(SDL_CONTROLLER_BUTTON_A);
    auto* pages = dynamic_cast<fb::ControlsState*>(mMenu.GetSubScreen().GetOpen());
    ASSERT_TRUE(pages);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    Tap(SDL_CONTROLLER_BUTTON_A, fb::ControlsState::kPageCount - 1);
    EXPECT_EQ(pages->GetPage(), fb::ControlsState::kPageCount - 1);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(mMenu.GetSubScreen().IsOpen());
    Frames(2);
    EXPECT_EQ(StateManager::GetCurrentState(), &mMatch);
    EXPECT_EQ(GetLevelPath(), map);

    // Restart asks; neither Escape nor Start closes the question, No does.
    Frames(2);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_UP);
    Tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_TRUE(mMenu.IsAsking());
    HoldEscape(2);
    Tap(SDL_CONTROLLER_BUTTON_START);
    EXPECT_TRUE(mMenu.IsAsking());
    EXPECT_TRUE(mMenu.IsPaused());
    Tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(mMenu.IsAsking());
    EXPECT_EQ(mMatch.last, Request::None);
    // Yes (the first of the two) confirms.
    Frames(2);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_UP);
    Tap(SDL_CONTROLLER_BUTTON_A);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(mMatch.last, Request::Restart);

    // Quit asks the same way.
    mMatch.Exit();
    mMatch.Init();
    mMatch.last = Request::None;
    Tap(SDL_CONTROLLER_BUTTON_START);
    Frames(2);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN, 4);
    Tap(SDL_CONTROLLER_BUTTON_A);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(mMatch.last, Request::Quit);
}

TEST_F(PauseMenuTest, ResumeGivesBackTheTimeScaleAndCreditsHandBackTheCameraAndTheMusic)
{
    Tap(SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(mMenu.IsPaused());
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    // Credits, one down from Resume; Back works after the roll's first second.
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    Tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_EQ(mMenu.GetSubScreen().GetScreen(), Screen::Credits);
    // Sounds are shared by file: the credits' track stopped the match's.
    EXPECT_FALSE(AudioEngine::IsPlaying(mMatch.music.GetChannel()));
    Frames(61);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(mMenu.GetSubScreen().IsOpen());
    EXPECT_EQ(CamManager::GetActiveCamera(), mMatch.camera);
    EXPECT_TRUE(AudioEngine::IsPlaying(mMatch.music.GetChannel()));
    // Resume is the first button again.
    Frames(2);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_FALSE(mMenu.IsPaused());
    EXPECT_EQ(Time::GetTimeScale(), 0.5f);
}

} // namespace
