// The whole game, started with Game::Init and run frame by frame with a
// game pad, at the desktop size of 1280 by 720 and at the 1000 by 600
// window that F11 gives: every screen from the intro slides to the end of
// a round is saved as a picture, all of them side by side on one contact
// sheet, and each one is checked from its pictures' own alpha where the
// frame put them: no button, label, card or slide leaves the window or
// runs across the edge of a frame drawn with it. The developer menu, its
// debug/edit windows, the graphics test, the particle editor and the
// match's level list are shot on the way, each of their windows and buttons
// checked from Dear ImGui's own records: inside the game window, showing all
// the window holds, and no button under another window. Last, back in full
// screen, something else sizes the window to 1000 by 600 (as a tiling
// window manager does) and the main menu follows it.

#include "DeveloperWindows.h"
#include "ScreenLayout.h"

#include "audio/SoundBinder.h"
#include "audio/SoundSet.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Game.h"
#include "core/StateManager.h"
#include "core/Window.h"
#include "game/RandomEvents.h"
#include "game/SlimeUI.h"
#include "game/TolveyTestState.h"
#include "support/ContactSheet.h"
#include "support/GameFrames.h"
#include "support/ImGuiInput.h"
#include "support/SavePng.h"
#include "support/ShownFrame.h"
#include "support/VirtualKeyboard.h"
#include "support/XWindowResize.h"
#include "render/Renderer.h"
#include "render/Sprite.h"
#include "tools/GraphicsState.h"
#include "tools/ParticleState.h"
#include "ui/Button.h"
#include "ui/ControlsState.h"
#include "ui/IntroState.h"
#include "ui/LevelSelectState.h"
#include "ui/MainMenuState.h"

#include <GL/glew.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <iostream>

namespace fs = std::filesystem;

namespace {

// The desktop of the private X server: the game's window is its width and
// ten pixels taller.
constexpr int kDesktopWidth = 1280;
constexpr int kDesktopHeight = 710;
constexpr int kSmallWidth = 1000;
constexpr int kSmallHeight = 600;
// The updates between the intro's slides at sixty a second.
constexpr int kSlideFrames = 241;

class EveryScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::remove_all(mFolder);
        fs::create_directories(mFolder);
        ASSERT_TRUE(mKeyboard.IsRunning());
        mPad = std::make_unique<VirtualPad>();
        Game::Init();
        Renderer::SetBloomDisabled(true);
        ASSERT_TRUE(mKeyboard.Attach(gWindow->GetSDLWindow()));
        mInput.Install();
        SDL_WarpMouseInWindow(gWindow->GetSDLWindow(), 0, 0);
    }

    // The pictures are kept for a person to look at; the sheet shows them
    // in the order of their numbered files.
    void TearDown() override
    {
        const fs::path sheet = mFolder / "contact-sheet.png";
        EXPECT_TRUE(mSheet.Save(sheet));
        std::cout << "Contact sheet of " << mSheet.Count() << " screens: " << sheet.string() << '\n';
        Renderer::SetBloomDisabled(false);
        mPad.reset();
        Game::Shutdown();
    }

    template <typename State>
    static State* Current()
    {
        return dynamic_cast<State*>(StateManager::GetCurrentState());
    }

    template <typename State>
    static State* FramesUntil(int most)
    {
        for (int frame = 0; frame < most && !Current<State>(); ++frame)
            Game::Frame();
        return Current<State>();
    }

    // F11, and the window's size once the game has followed it.
    static void ToggleFullScreen(int width, int height)
    {
        SDL_Event event{};
        event.type = SDL_KEYUP;
        event.key.keysym.sym = SDLK_F11;
        SDL_PushEvent(&event);
        RunGameFrames(3);
        ASSERT_EQ(GetWindowSize(), std::make_pair(width, height));
    }

    // Gives the button showing the image the focus and presses it with
    // the pad's A.
    void Press(const std::string& image)
    {
        bool found = false;
        for (Button* button : Buttons()) {
            const bool wanted = !found && button->IsActive() && ImageOf(*button).find(image) != std::string::npos;
            button->SetSelected(wanted);
            found = found || wanted;
        }
        ASSERT_TRUE(found) << "no button shows " << image;
        TapPad(*mPad, SDL_CONTROLLER_BUTTON_A);
    }

    // The picture of the next frame, saved and put on the contact sheet, and
    // its layout checked. Only the frames shot are drawn with their bloom:
    // the blur of the others is most of the drawing time.
    std::vector<GLTestWindow::Pixel> Shoot(const std::string& name, bool inMatch = false)
    {
        Renderer::SetBloomDisabled(false);
        Game::Frame();
        const auto [width, height] = GetWindowSize();
        const std::vector<GLTestWindow::Pixel> picture = ReadShownFrame(width, height);
        const screen_layout::Screen screen = screen_layout::CurrentScreen(width, height, inMatch);
        // Which also empties the renderer's queue and clears the window.
        Renderer::SetBloomDisabled(true);
        const std::string label = std::to_string(width) + "x" + std::to_string(height) + "-" + name;
        EXPECT_TRUE(SavePng(mFolder / (std::to_string(mSheet.Count() + 1) + "-" + label + ".png"), picture, width,
                            height));
        mSheet.Add(picture, width, height);
        for (const std::string& fault : screen_layout::Faults(screen, width, height))
            ADD_FAILURE() << label << ": " << fault;
        const developer_windows::Shown windows = developer_windows::LastFrame();
        for (const std::string& fault : developer_windows::Faults(windows, width, height))
            ADD_FAILURE() << label << ": " << fault;
        EXPECT_FALSE(screen.pieces.empty() && windows.windows.empty()) << label;
        // The credits roll down the middle half of the window from edge to
        // edge: no frame may have an edge there.
        if (name.rfind("credits", 0) == 0) {
            const screen_layout::Box column{0.25f * float(width), 0.0f, 0.75f * float(width), float(height)};
            for (const screen_layout::Placed& frame : screen.frames)
                EXPECT_FALSE(screen_layout::CrossesEdge(frame, column)) << label << ": " << frame.image;
        }
        return picture;
    }

    // Pixels in the blue or crimson of a random event's banner.
    static int BannerPixels(const std::vector<GLTestWindow::Pixel>& picture)
    {
        return static_cast<int>(std::count_if(picture.begin(), picture.end(), [](const GLTestWindow::Pixel& p) {
            const bool blue = p.r < 45 && p.g < 45 && p.b > 230;
            const bool crimson = p.r > 185 && p.r < 225 && p.g < 20 && p.b > 35 && p.b < 70;
            return blue || crimson;
        }));
    }

    void Tap(SDL_GameControllerButton button, int times = 1) { TapPad(*mPad, button, times); }

    static std::vector<Button*> Buttons();
    // Whether an active button shows the image.
    static bool Shows(const std::string& image)
    {
        const std::vector<Button*> buttons = Buttons();
        return std::any_of(buttons.begin(), buttons.end(), [&image](Button* button) {
            return button->IsActive() && ImageOf(*button).find(image) != std::string::npos;
        });
    }
    static std::string ImageOf(const Button& button);

    // Holds the keys for one frame, as a person would, and lets the game
    // answer them.
    void Keys(SDL_Scancode first, SDL_Scancode second = SDL_SCANCODE_UNKNOWN);
    // Shows the developer window unless it is shown, with the button of the
    // window that toggles it.
    void Toggle(const char* window, const char* shownBy, const char* label, bool shown);
    void ClickEntry(const char* window, const char* list, const std::vector<std::string>& entries,
                    const std::string& entry);
    void WalkEveryScreen();
    // From the main menu through the developer windows and back to it.
    void WalkDeveloperWindows();
    void MainMenuSizedFromOutsideInFullScreen();

    const fs::path mFolder = fs::temp_directory_path() / "vendrabolt-every-screen";
    ContactSheet mSheet{320, 8};
    // Its private X server is the desktop.
    VirtualKeyboard mKeyboard{kDesktopWidth, kDesktopHeight};
    ImGuiInput mInput{[] { Game::Frame(); }};
    std::unique_ptr<VirtualPad> mPad;
};

// Every button of the entity manager's list.
std::vector<Button*> EveryScreen::Buttons()
{
    std::vector<Button*> buttons;
    for (const auto& entity : EntityManager::GetEntities()) {
        if (auto button = entity->GetComponent<Button>())
            buttons.push_back(button.get());
    }
    return buttons;
}

std::string EveryScreen::ImageOf(const Button& button)
{
    const auto owner = button.GetOwner().lock();
    const auto sprite = owner ? owner->GetComponent<Sprite>() : nullptr;
    return sprite ? sprite->GetTexture().name : std::string();
}

void EveryScreen::Keys(SDL_Scancode first, SDL_Scancode second)
{
    mKeyboard.Press(first);
    if (second != SDL_SCANCODE_UNKNOWN)
        mKeyboard.Press(second);
    Game::Frame();
    if (second != SDL_SCANCODE_UNKNOWN)
        mKeyboard.Release(second);
    mKeyboard.Release(first);
    // The keys are read in the frame after they went down, and what they
    // open is drawn from the frame after that.
    RunGameFrames(2);
}

void EveryScreen::Toggle(const char* window, const char* shownBy, const char* label, bool shown)
{
    if (ImGuiInput::Shown(window) != shown) {
        ASSERT_TRUE(mInput.Click(shownBy, label)) << label;
    }
    ASSERT_EQ(ImGuiInput::Shown(window), shown) << window;
}

void EveryScreen::ClickEntry(const char* window, const char* list, const std::vector<std::string>& entries,
                             const std::string& entry)
{
    const auto found = std::find(entries.begin(), entries.end(), entry);
    ASSERT_NE(found, entries.end()) << window << " lists no " << entry;
    ASSERT_TRUE(mInput.ClickEntry(window, list, static_cast<int>(found - entries.begin()), entry)) << entry;
}

// The debug/edit windows are shot showing all they can: an entity with a
// picture picked, and a sound binding.
void EveryScreen::WalkDeveloperWindows()
{
    Keys(SDL_SCANCODE_LSHIFT, SDL_SCANCODE_COMMA);
    ASSERT_TRUE(ImGuiInput::Shown("Editor Options")) << "the developer menu never opened";
    Toggle("Cheat Menu", "Editor Options", "Cheat Menu", true);
    Toggle("Entity Selector", "Editor Options", "Debug/Edit menu", false);
    Shoot("developer-menu");

    Toggle("Entity Selector", "Editor Options", "Debug/Edit menu", true);
    std::vector<std::string> names;
    std::string pictured;
    for (const auto& entity : EntityManager::GetEntities()) {
        names.push_back(entity->GetName());
        if (pictured.empty() && entity->GetComponent<Sprite>())
            pictured = entity->GetName();
    }
    ClickEntry("Entity Selector", "##entities", names, pictured);
    std::vector<std::string> sets;
    GetSoundBinder()->GetSetNames(sets);
    ASSERT_FALSE(sets.empty());
    ClickEntry("Sound Sets", "##sets", sets, sets.front());
    std::vector<std::string> events;
    GetSoundBinder()->FindSet(sets.front())->GetBindingNames(events);
    ASSERT_FALSE(events.empty());
    ClickEntry("Sound Sets", "SoundEvents", events, events.front());
    Shoot("debug-edit-windows");
    // What the two editing windows say when they refuse a value. Each has
    // the room for its line before the line comes, so it shows whole from
    // the frame it comes in.
    const auto height = [](const char* window) { return ImGui::FindWindowByName(window)->Size.y; };
    ASSERT_TRUE(mInput.TypeInto("Entity Editor", "Rotation", "inf"));
    const float entityEditor = height("Entity Editor");
    ASSERT_TRUE(mInput.Click("Entity Editor", "Update values"));
    EXPECT_EQ(height("Entity Editor"), entityEditor);
    ASSERT_TRUE(mInput.TypeInto("Sound Sets", "##volume", "inf"));
    const float soundSets = height("Sound Sets");
    ASSERT_TRUE(mInput.Click("Sound Sets", "Updt Vol"));
    EXPECT_EQ(height("Sound Sets"), soundSets);
    ASSERT_TRUE(mInput.ShowsText("Rotation takes only finite numbers"));
    ASSERT_TRUE(mInput.ShowsText("Volume takes only finite numbers"));
    Shoot("debug-edit-status-lines");

    // Reached through the state list, whose working the editor's own tests
    // show: here only what is shown matters.
    StateManager::SetNextState("GraphicsState");
    ASSERT_TRUE(FramesUntil<fb::GraphicsState>(3));
    RunGameFrames(3);
    Shoot("graphics-test");
    StateManager::SetNextState("ParticleState");
    ASSERT_TRUE(FramesUntil<fb::ParticleState>(3));
    RunGameFrames(3);
    Shoot("particle-editor-under-debug-windows");
    Toggle("Entity Selector", "Editor Options", "Debug/Edit menu", false);
    Keys(SDL_SCANCODE_LSHIFT, SDL_SCANCODE_SLASH);
    ASSERT_FALSE(ImGuiInput::Shown("Editor Options")) << "the developer menu never closed";
    Shoot("particle-editor");

    StateManager::SetNextState("MainMenuState");
    ASSERT_TRUE(FramesUntil<fb::MainMenuState>(3));
    RunGameFrames(2);
}

// The sub-screens keep their buttons to themselves; they are walked with
// the d-pad from the button that has the focus when they open, Back.
void EveryScreen::WalkEveryScreen()
{
    // The intro counts its own updates, one sixtieth of a second at most
    // each: its slides come in turn without drawing every frame between.
    for (int slide = 0; slide <= fb::IntroState::kSlideCount; ++slide) {
        auto* intro = Current<fb::IntroState>();
        ASSERT_TRUE(intro);
        for (int update = 0; update < kSlideFrames * 4 && intro->GetSlide() < slide; ++update)
            intro->Update();
        RunGameFrames(2);
        if (slide < fb::IntroState::kSlideCount)
            Shoot("intro-slide-" + std::to_string(slide + 1));
    }
    fb::MainMenuState* menu = FramesUntil<fb::MainMenuState>(4);
    ASSERT_TRUE(menu);
    RunGameFrames(2);
    Shoot("main-menu");
    WalkDeveloperWindows();
    menu = Current<fb::MainMenuState>();
    // The pad takes over the menus.
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    Press("ButtonQuit");
    ASSERT_TRUE(menu->IsAskingToQuit());
    Shoot("main-menu-quit-question");
    Press("ButtonNo");
    ASSERT_FALSE(menu->IsAskingToQuit());

    Press("ButtonOptions");
    ASSERT_TRUE(menu->GetSubScreen().IsOpen());
    Shoot("options");
    Tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_FALSE(menu->GetSubScreen().IsOpen());

    Press("ButtonControls");
    auto* pages = dynamic_cast<fb::ControlsState*>(menu->GetSubScreen().GetOpen());
    ASSERT_TRUE(pages);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    for (int page = 0; page < fb::ControlsState::kPageCount; ++page) {
        ASSERT_EQ(pages->GetPage(), page);
        Shoot("how-to-play-" + std::to_string(page + 1));
        if (page + 1 < fb::ControlsState::kPageCount)
            Tap(SDL_CONTROLLER_BUTTON_A);
    }
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    Tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_FALSE(menu->GetSubScreen().IsOpen());

    Press("ButtonCredits");
    ASSERT_TRUE(menu->GetSubScreen().IsOpen());
    for (const char* moment : {"start", "middle", "late"}) {
        ASSERT_TRUE(menu->GetSubScreen().IsOpen());
        RunGameFrames(90);
        Shoot(std::string("credits-") + moment);
    }
    Tap(SDL_CONTROLLER_BUTTON_A);
    ASSERT_FALSE(menu->GetSubScreen().IsOpen());

    Press("ButtonPlay");
    auto* select = FramesUntil<fb::LevelSelectState>(3);
    ASSERT_TRUE(select);
    const int first = select->GetIndex();
    do {
        RunGameFrames(2);
        Shoot("level-select-map-" + std::to_string(select->GetIndex() + 1));
        Press("right_arrow");
    } while (select->GetIndex() != first);

    Press("ButtonPlay");
    auto* match = FramesUntil<fb::TolveyTestState>(3);
    ASSERT_TRUE(match);
    RunGameFrames(5);
    Shoot("match-countdown", true);
    for (int frame = 0; frame < 600 && match->GetCountdown() > 0; ++frame)
        Game::Frame();
    RunGameFrames(5);
    Shoot("match-hud", true);
    Keys(SDL_SCANCODE_EQUALS);
    Shoot("match-level-list", true);
    Keys(SDL_SCANCODE_MINUS);
    gRandomEventTimer = 0.0f;
    RunGameFrames(10);
    EXPECT_GT(BannerPixels(Shoot("match-event-banner", true)), 500);

    // The banner waits while the pause menu and its questions show.
    Tap(SDL_CONTROLLER_BUTTON_START);
    ASSERT_TRUE(match->IsPaused());
    EXPECT_LT(BannerPixels(Shoot("pause-menu", true)), 20);
    Press("ButtonRestart");
    EXPECT_LT(BannerPixels(Shoot("pause-restart-question", true)), 20);
    Press("ButtonNo");
    Press("ButtonQuit");
    EXPECT_LT(BannerPixels(Shoot("pause-quit-question", true)), 20);
    Press("ButtonNo");
    Tap(SDL_CONTROLLER_BUTTON_START);
    ASSERT_FALSE(match->IsPaused());

    SlimeUI::SetWinningPlayer(0);
    RunGameFrames(5);
    Shoot("match-winner", true);
    for (int frame = 0; frame < 1200 && !Shows("ButtonNextMap"); ++frame)
        Game::Frame();
    Shoot("match-end-menu", true);
}

// The window's real size, as its X server reports it to SDL, is what the
// picture, the viewport, the framebuffers and the mouse go by: the pointer
// put on Quit where the frame drew it picks Quit alone.
void EveryScreen::MainMenuSizedFromOutsideInFullScreen()
{
    ToggleFullScreen(kDesktopWidth, kDesktopHeight + 10);
    StateManager::SetNextState("MainMenuState");
    ASSERT_TRUE(FramesUntil<fb::MainMenuState>(3));
    SDL_Window* const window = gWindow->GetSDLWindow();
    ASSERT_TRUE(ResizeXWindow(window, kSmallWidth, kSmallHeight));
    const std::pair<int, int> small(kSmallWidth, kSmallHeight);
    for (int frame = 0; frame < 100 && GetWindowSize() != small; ++frame)
        Game::Frame();
    RunGameFrames(2);
    ASSERT_EQ(GetWindowSize(), small);
    EXPECT_TRUE(gWindow->IsFullScreen());
    EXPECT_EQ(Renderer::GetFramebufferSize(), small);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(std::vector<GLint>(viewport, viewport + 4), (std::vector<GLint>{0, 0, kSmallWidth, kSmallHeight}));

    const screen_layout::Screen screen = screen_layout::CurrentScreen(kSmallWidth, kSmallHeight, false);
    const auto quit = std::find_if(screen.pieces.begin(), screen.pieces.end(), [](const screen_layout::Placed& piece) {
        return piece.image.find("ButtonQuit") != std::string::npos;
    });
    ASSERT_NE(quit, screen.pieces.end());
    SDL_WarpMouseInWindow(window, int(0.5f * (quit->at.left + quit->at.right)),
                          int(0.5f * (quit->at.top + quit->at.bottom)));
    RunGameFrames(2);
    for (Button* button : Buttons())
        EXPECT_EQ(button->IsSelected(), button->IsActive() && ImageOf(*button).find("ButtonQuit") != std::string::npos)
            << ImageOf(*button);
    // The game's pointer on Quit, the whole menu in the window.
    Shoot("main-menu-full-screen-sized-from-outside");
}

TEST_F(EveryScreen, AtTheDesktopSizeAndInTheSmallWindow)
{
    ASSERT_EQ(GetWindowSize(), std::make_pair(kDesktopWidth, kDesktopHeight + 10));
    WalkEveryScreen();
    // Once more from the intro in the window F11 gives.
    ToggleFullScreen(kSmallWidth, kSmallHeight);
    StateManager::SetNextState("IntroState");
    ASSERT_TRUE(FramesUntil<fb::IntroState>(3));
    WalkEveryScreen();
    MainMenuSizedFromOutsideInFullScreen();
}

} // namespace
