// The real game program played from its first screen to its last by real X
// mouse and key events (xdotool), on an X server of its own: intro, main
// menu, options, how-to-play, credits, level select, a match with the
// keyboard player, its pause menu, and out through two questions. Each
// button is found where the camera of its screen puts it at the window's
// size, and hovered until the game outlines it in white before it is
// clicked, with the button held for a while or tapped (pressed and let go
// at once, between two frames of the game). A picture of every screen
// passed is saved into the temporary folder for a person to look at.
// Every wait is for something the screen shows, capped by a number of
// looks at the screen; a look that a busy machine makes slow counts once,
// however long it takes. Game time is counted in frames: a button under
// the pointer pulses, so each new picture of it is a frame drawn.
// A second game is closed by its window's close button in the middle of a
// match. A sanitizer build checks both games for leaks.

#include "support/PrivateXServer.h"
#include "support/XWindowClose.h"
#include "support/XScreenPicture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr int kScreenWidth = 320;
constexpr int kScreenHeight = 200;

// A button's box as a screen gives it: centre and size in world units of a
// camera `view` units tall, relative to the camera's centre.
struct Box {
    float x, y, width, height;
    float view;
};

// The main menu (a camera 100 tall).
constexpr Box kMenuPlay{-55, -27, 40, 23, 100};
constexpr Box kMenuOptions{65, -6, 22, 11, 100};
constexpr Box kMenuControls{65, 8, 22, 11, 100};
constexpr Box kMenuCredits{65, -20, 22, 11, 100};
constexpr Box kMenuQuit{65, -34, 22, 11, 100};
constexpr Box kMenuYes{-30, 0, 22, 11, 100};
// Options (60 tall).
constexpr Box kOptionsBack{-34, -18, 15, 7, 60};
constexpr Box kEffectsBar{0, 0, 0, 1, 60};
constexpr Box kMusicDown{-10, 15, 18, 9, 60};
constexpr Box kEffectsUp{10, -10, 18, 9, 60};
constexpr Box kEffectsDown{-10, -10, 18, 9, 60};
constexpr Box kBloomOff{10, -25, 14, 7, 60};
constexpr Box kBloomOn{-10, -25, 14, 7, 60};
// How to play (60 tall).
constexpr Box kPagesBack{-40, -20, 20, 9, 60};
constexpr Box kPagesNext{40, -10, 18, 9, 60};
constexpr Box kPagesPrevious{40, -20, 18, 9, 60};
// Credits (100 tall).
constexpr Box kCreditsBack{-55, -42, 25, 12, 100};
// Level select (60 tall).
constexpr Box kSelectPlay{-34, -18, 24, 11, 60};
constexpr Box kSelectRight{34, -15, 18, 9, 60};
constexpr Box kSelectLeft{34, -25, 18, 9, 60};
constexpr Box kSelectBack{-38, -5, 19, 7, 60};
constexpr Box kSelectTitle{0, 25, 60, 8, 60};
// The pause menu, fixed to the screen in twentieths of its height.
constexpr Box kPauseResume{0, 8, 4, 2.25f, 20};
constexpr Box kPauseOptions{0, 2, 4, 2.25f, 20};
constexpr Box kPauseQuit{0, -4, 4, 2.25f, 20};
constexpr Box kPauseYes{-10, 0, 9, 4, 20};
// Most of the window, whatever the camera.
constexpr Box kWindowMiddle{0, 0, 120, 80, 100};

// The pause between two looks at the screen.
constexpr auto kLookGap = 100ms;
// Looks at the screen before a wait gives up: the intro is 964 frames,
// a button waits on a click. Each runs xdotool or reads the screen, and
// sleeps the gap.
constexpr int kIntroLooks = 3000;
constexpr int kLooks = 300;

// The game program at the top of the build folder that holds this test program.
fs::path GameProgram()
{
    return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "vendrabolt";
}

class PlayThrough : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mServer.IsRunning());
        ASSERT_EQ(Run("command -v xdotool >/dev/null"), 0) << "xdotool is missing (scripts/install-deps)";
        ASSERT_TRUE(fs::exists(GameProgram())) << GameProgram();
        mPictures = fs::temp_directory_path() / "vendrabolt-play-through" /
                    ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(mPictures);
        fs::create_directories(mPictures);
    }

    void TearDown() override
    {
        if (mGame > 0) {
            kill(mGame, SIGKILL);
            waitpid(mGame, nullptr, 0);
        }
    }

    // The private server is the DISPLAY of this program and what it starts.
    static int Run(const std::string& command) { return std::system(command.c_str()); }

    static std::string Output(const std::string& command)
    {
        std::string text;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char buffer[256];
            while (fgets(buffer, sizeof buffer, pipe))
                text += buffer;
            pclose(pipe);
        }
        return text;
    }

    // The game gets this program's environment, with the leak check of a
    // sanitizer build on. Mesa unloads its software driver when the game's
    // window closes, and the driver's blocks would then look leaked: the
    // driver is loaded with the game and stays to its end (the test
    // programs keep it loaded in process, see KeepGLDriver.cpp).
    void StartGame()
    {
        std::vector<std::string> settings;
        std::string sanitizer = "ASAN_OPTIONS=detect_leaks=1";
        for (char** entry = environ; *entry; ++entry) {
            const std::string setting = *entry;
            if (setting.rfind("ASAN_OPTIONS=", 0) == 0)
                sanitizer = setting + ":detect_leaks=1";
            else
                settings.push_back(setting);
        }
#ifdef VENDRABOLT_GL_DRIVER
        settings.push_back(std::string("LD_PRELOAD=") + VENDRABOLT_GL_DRIVER);
        sanitizer += ":verify_asan_link_order=0";
#endif
        settings.push_back(sanitizer);
        std::vector<char*> env;
        for (std::string& setting : settings)
            env.push_back(setting.data());
        env.push_back(nullptr);
        const std::string program = GameProgram().string();
        char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
        ASSERT_EQ(posix_spawn(&mGame, program.c_str(), nullptr, nullptr, argv, env.data()), 0);
    }

    // The game window's id and place, once it is mapped and has taken the
    // size the game gives it: the desktop's, ten pixels taller, centred.
    // Until then the buttons are not where the test would look.
    void FindWindow()
    {
        std::string id;
        ASSERT_TRUE(LookUntil(
            [&] {
                id = Output("xdotool search --onlyvisible --name '^Vendrabolt$' | head -n 1");
                return !id.empty();
            },
            kIntroLooks))
            << "the game's window never showed";
        mWindow = std::stoul(id);
        ASSERT_TRUE(LookUntil(
            [&] {
                ReadGeometry();
                return mWidth == kScreenWidth && mHeight == kScreenHeight + 10 &&
                       mLeft == (kScreenWidth - mWidth) / 2 && mTop == (kScreenHeight - mHeight) / 2;
            },
            kLooks))
            << "the game's window stayed " << mWidth << " by " << mHeight << " at " << mLeft << ", " << mTop;
    }

    void ReadGeometry()
    {
        std::istringstream geometry(Output("xdotool getwindowgeometry --shell " + std::to_string(mWindow)));
        std::string line;
        while (std::getline(geometry, line)) {
            if (line.rfind("WIDTH=", 0) == 0)
                mWidth = std::stoi(line.substr(6));
            if (line.rfind("HEIGHT=", 0) == 0)
                mHeight = std::stoi(line.substr(7));
            if (line.rfind("X=", 0) == 0)
                mLeft = std::stoi(line.substr(2));
            if (line.rfind("Y=", 0) == 0)
                mTop = std::stoi(line.substr(2));
        }
    }

    // The box's pixel rectangle on the X screen: a camera `view` units tall
    // fills the window's height, with the same scale across.
    struct Pixels {
        int left, top, right, bottom;
        int CentreX() const { return (left + right) / 2; }
        int CentreY() const { return (top + bottom) / 2; }
    };
    Pixels OnScreen(const Box& box) const
    {
        const float unit = static_cast<float>(mHeight) / box.view;
        const float cx = static_cast<float>(mLeft) + 0.5f * static_cast<float>(mWidth) + box.x * unit;
        const float cy = static_cast<float>(mTop) + 0.5f * static_cast<float>(mHeight) - box.y * unit;
        const float hw = 0.5f * box.width * unit;
        const float hh = 0.5f * box.height * unit;
        return {static_cast<int>(cx - hw), static_cast<int>(cy - hh), static_cast<int>(cx + hw),
                static_cast<int>(cy + hh)};
    }

    // Whether the box's top edge is drawn as a white line: the outline of
    // a button with the focus.
    static bool Outlined(const XScreenPicture& picture, const Pixels& box)
    {
        int white = 0;
        int columns = 0;
        for (int x = box.left + 4; x <= box.right - 4; x += 2) {
            ++columns;
            for (int y = box.top - 3; y <= box.top + 3; ++y) {
                const auto pixel = picture.At(x, y);
                if (pixel[0] >= 235 && pixel[1] >= 235 && pixel[2] >= 235) {
                    ++white;
                    break;
                }
            }
        }
        return columns > 0 && white * 10 >= columns * 8;
    }

    // Whether the game has ended; its status is kept.
    bool GameEnded()
    {
        int status = 0;
        if (mGame <= 0 || waitpid(mGame, &status, WNOHANG) != mGame)
            return mGame <= 0;
        mGame = -1;
        mExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return true;
    }

    // Asks until `done` holds, for at most `looks` times; stops at once
    // when the game has ended (unless that is what is waited for).
    bool LookUntil(const std::function<bool()>& done, int looks, std::chrono::milliseconds gap = kLookGap)
    {
        for (int look = 0; look < looks; ++look) {
            if (done())
                return true;
            if (GameEnded()) {
                ADD_FAILURE() << "the game ended with status " << mExitStatus << " while waited on";
                return false;
            }
            std::this_thread::sleep_for(gap);
        }
        return done();
    }

    // Hovers the button until the game outlines it (the screen is saved
    // then), for at most that many looks.
    bool FindButton(const Box& box, const std::string& picture, int looks)
    {
        const Pixels pixels = OnScreen(box);
        int nudge = 0;
        return LookUntil(
            [&] {
                nudge ^= 1;
                Run("xdotool mousemove " + std::to_string(pixels.CentreX() + nudge) + " " +
                    std::to_string(pixels.CentreY()));
                const XScreenPicture screen = Screen();
                if (!Outlined(screen, pixels))
                    return false;
                Save(screen, picture);
                return true;
            },
            looks);
    }

    bool Hover(const Box& box, const std::string& picture, int looks = kLooks)
    {
        if (FindButton(box, picture, looks))
            return true;
        Save(Screen(), picture + "-not-found");
        ADD_FAILURE() << "no outlined button for " << picture << " in " << looks << " looks at the screen";
        return false;
    }

    // Waits until the game has drawn at least that many frames, seen on
    // the pulsing button under the pointer: each picture of it that
    // differs from the one before is one frame at least.
    bool Frames(const Box& button, int frames)
    {
        const Pixels area = OnScreen(button);
        XScreenPicture last = Screen();
        int seen = 0;
        if (LookUntil(
                [&] {
                    const XScreenPicture now = Screen();
                    if (Differs(last, now, area))
                        ++seen;
                    last = now;
                    return seen >= frames;
                },
                frames * 50, 10ms))
            return true;
        ADD_FAILURE() << "only " << seen << " of " << frames << " frames were drawn";
        return false;
    }

    // Whether any pixel of the area differs between the pictures.
    static bool Differs(const XScreenPicture& before, const XScreenPicture& after, const Pixels& area)
    {
        for (int y = area.top; y <= area.bottom; ++y) {
            for (int x = area.left; x <= area.right; ++x) {
                if (before.At(x, y) != after.At(x, y))
                    return true;
            }
        }
        return false;
    }

    // Escape, again while the countdown refuses it, until the menu is up.
    bool Pause(const std::string& picture)
    {
        for (int attempt = 0; attempt < 20; ++attempt) {
            HoldKey("Escape", 300ms);
            if (FindButton(kPauseResume, picture, 20))
                return true;
        }
        ADD_FAILURE() << "the pause menu did not open";
        return false;
    }

    // Hovers, then holds the left button long enough for a frame to see it.
    bool Click(const Box& box, const std::string& picture, int looks = kLooks)
    {
        if (!Hover(box, picture, looks))
            return false;
        Run("xdotool mousedown 1");
        std::this_thread::sleep_for(200ms);
        Run("xdotool mouseup 1");
        std::this_thread::sleep_for(200ms);
        return true;
    }

    // Hovers, then taps.
    bool QuickClick(const Box& box, const std::string& picture, int looks = kLooks)
    {
        if (!Hover(box, picture, looks))
            return false;
        Tap();
        return true;
    }

    // The left button pressed and let go at once: both reach the game
    // between two of its frames, as a touchpad tap does.
    static void Tap()
    {
        Run("xdotool click 1");
        std::this_thread::sleep_for(300ms);
    }

    // How many pixels long the options screen draws its yellow effects bar:
    // the run of yellow through the middle of the bar's row.
    int EffectsBarLength(const XScreenPicture& picture) const
    {
        const Pixels bar = OnScreen(kEffectsBar);
        const auto yellow = [&](int x) {
            const auto pixel = picture.At(x, bar.CentreY());
            return pixel[0] > pixel[2] + 80 && pixel[1] > pixel[2] + 50;
        };
        int left = bar.CentreX();
        int right = bar.CentreX();
        if (!yellow(left))
            return 0;
        while (yellow(left - 1))
            --left;
        while (yellow(right + 1))
            ++right;
        return right - left + 1;
    }

    // Takes pictures of the screen until one shows what is waited for, for
    // at most that many; false if none did. A slow build takes a while to
    // draw what a click did.
    bool WaitForScreen(const std::function<bool(const XScreenPicture&)>& shows, int looks = kLooks)
    {
        return LookUntil([&] { return shows(Screen()); }, looks);
    }

    // Until the level select's title has given way to the match, whose
    // picture is saved.
    bool WaitForMatch(const XScreenPicture& levelSelect)
    {
        if (WaitForScreen([&](const XScreenPicture& screen) {
                if (Changed(levelSelect, screen, kSelectTitle) < 50)
                    return false;
                Save(screen, "match");
                return true;
            }))
            return true;
        ADD_FAILURE() << "the match never replaced the level select";
        return false;
    }

    // How many pixels of the box differ clearly between two pictures.
    int Changed(const XScreenPicture& before, const XScreenPicture& after, const Box& box) const
    {
        const Pixels area = OnScreen(box);
        int changed = 0;
        for (int y = area.top; y <= area.bottom; ++y) {
            for (int x = area.left; x <= area.right; ++x) {
                const auto a = before.At(x, y);
                const auto b = after.At(x, y);
                for (int c = 0; c < 3; ++c) {
                    if (std::abs(a[c] - b[c]) > 40) {
                        ++changed;
                        break;
                    }
                }
            }
        }
        return changed;
    }

    void HoldKey(const std::string& key, std::chrono::milliseconds time)
    {
        Run("xdotool keydown " + key);
        std::this_thread::sleep_for(time);
        Run("xdotool keyup " + key);
        std::this_thread::sleep_for(200ms);
    }

    static XScreenPicture Screen() { return CaptureXScreen(std::getenv("DISPLAY")); }

    void Save(const XScreenPicture& screen, const std::string& name)
    {
        const fs::path file = mPictures / (std::to_string(++mSaved) + "-" + name + ".png");
        if (screen.SavePng(file))
            std::cout << "Saved " << file.string() << '\n';
    }

    // The game's exit status, or -1, with a failure, if it did not end
    // within that many looks.
    int WaitForExit(int looks)
    {
        for (int look = 0; look < looks; ++look) {
            if (GameEnded())
                return mExitStatus;
            std::this_thread::sleep_for(kLookGap);
        }
        if (GameEnded())
            return mExitStatus;
        ADD_FAILURE() << "the game did not end in " << looks << " looks";
        return -1;
    }

    PrivateXServer mServer{kScreenWidth, kScreenHeight};
    pid_t mGame = -1;
    int mExitStatus = -1;
    unsigned long mWindow = 0;
    int mLeft = 0, mTop = 0, mWidth = 0, mHeight = 0;
    fs::path mPictures;
    int mSaved = 0;
};

TEST_F(PlayThrough, FromTheIntroThroughEveryScreenAndAMatchToTheEnd)
{
    StartGame();
    FindWindow();
    ASSERT_TRUE(WaitForScreen(
        [&](const XScreenPicture& screen) {
            if (Changed(XScreenPicture{}, screen, kWindowMiddle) < 1000)
                return false;
            Save(screen, "intro");
            return true;
        },
        kIntroLooks))
        << "the intro's first slide never showed";

    // The intro goes on to the main menu by itself.
    ASSERT_TRUE(Hover(kMenuOptions, "main-menu", kIntroLooks));

    ASSERT_TRUE(QuickClick(kMenuOptions, "main-menu-options"));
    ASSERT_TRUE(Click(kMusicDown, "options"));
    // A tap on Effects down lowers the effects by one step, not two.
    ASSERT_TRUE(Hover(kEffectsDown, "options-music-down"));
    const int effectsBar = EffectsBarLength(Screen());
    Tap();
    EXPECT_TRUE(WaitForScreen([&](const XScreenPicture& screen) { return EffectsBarLength(screen) != effectsBar; }))
        << "the effects bar never changed";
    // A second step would come in the frames after the first.
    EXPECT_TRUE(Frames(kEffectsDown, 30));
    EXPECT_NEAR(effectsBar - EffectsBarLength(Screen()), mHeight / 10, 3) << "a step is a tenth of the bar's 60 units";
    ASSERT_TRUE(Click(kEffectsUp, "options-effects-up"));
    ASSERT_TRUE(Click(kBloomOff, "options-bloom-off"));
    ASSERT_TRUE(Click(kBloomOn, "options-bloom-on"));
    ASSERT_TRUE(QuickClick(kOptionsBack, "options-back"));

    ASSERT_TRUE(Click(kMenuControls, "main-menu-controls"));
    for (int page = 2; page <= 5; ++page)
        ASSERT_TRUE(Click(kPagesNext, "how-to-play-page-" + std::to_string(page - 1)));
    ASSERT_TRUE(Hover(kPagesPrevious, "how-to-play-page-5"));
    ASSERT_TRUE(Click(kPagesBack, "how-to-play-back"));

    ASSERT_TRUE(Click(kMenuCredits, "main-menu-credits"));
    // Back is taken once the roll has run for a second: 60 frames and more.
    ASSERT_TRUE(Hover(kCreditsBack, "credits"));
    ASSERT_TRUE(Frames(kCreditsBack, 90));
    ASSERT_TRUE(Click(kCreditsBack, "credits-rolled"));

    // A tap on Right shows the next map; one held click on Left brings
    // back the first: the tap went on by one map only.
    ASSERT_TRUE(QuickClick(kMenuPlay, "main-menu-play"));
    ASSERT_TRUE(Hover(kSelectRight, "level-select"));
    XScreenPicture firstMap;
    ASSERT_TRUE(WaitForScreen([&](const XScreenPicture& screen) {
        firstMap = screen;
        return Changed(XScreenPicture{}, screen, kSelectTitle) > 50;
    })) << "the first map's name";
    Tap();
    EXPECT_TRUE(WaitForScreen([&](const XScreenPicture& screen) { return Changed(firstMap, screen, kSelectTitle) > 50; }))
        << "the next map's name";
    // A second map would come in the frames after the first.
    ASSERT_TRUE(Hover(kSelectLeft, "level-select-right"));
    ASSERT_TRUE(Frames(kSelectLeft, 30));
    ASSERT_TRUE(Click(kSelectLeft, "level-select-right-settled"));
    EXPECT_TRUE(WaitForScreen([&](const XScreenPicture& screen) { return Changed(firstMap, screen, kSelectTitle) < 10; }))
        << "the first map's name again";
    ASSERT_TRUE(QuickClick(kSelectBack, "level-select-left"));
    ASSERT_TRUE(QuickClick(kMenuPlay, "main-menu-play-again"));
    const XScreenPicture levelSelect = Screen();
    ASSERT_TRUE(Click(kSelectPlay, "level-select-again"));

    // The match: the countdown (the pause menu waits for its end), then
    // the keyboard player runs and jumps.
    ASSERT_TRUE(WaitForMatch(levelSelect));
    ASSERT_TRUE(Pause("pause-menu"));
    ASSERT_TRUE(Click(kPauseOptions, "pause-menu-options"));
    ASSERT_TRUE(Click(kOptionsBack, "pause-options"));
    ASSERT_TRUE(Click(kPauseResume, "pause-menu-resume"));
    ASSERT_TRUE(WaitForScreen([&](const XScreenPicture& screen) { return !Outlined(screen, OnScreen(kPauseResume)); }))
        << "the pause menu stayed";
    Save(Screen(), "match-resumed");
    HoldKey("Right", 800ms);
    HoldKey("space", 300ms);
    Save(Screen(), "match-running");
    ASSERT_TRUE(Pause("pause-menu-again"));
    ASSERT_TRUE(Click(kPauseQuit, "pause-menu-quit"));
    ASSERT_TRUE(Click(kPauseYes, "pause-quit-question"));

    ASSERT_TRUE(Click(kMenuQuit, "main-menu-quit"));
    ASSERT_TRUE(Click(kMenuYes, "main-menu-quit-question"));
    EXPECT_EQ(WaitForExit(kLooks), 0);
}

// Closed by its window's close button in the middle of a match, the game
// leaves the match and ends cleanly.
TEST_F(PlayThrough, ClosingTheWindowInTheMiddleOfAMatchEndsTheGameCleanly)
{
    StartGame();
    FindWindow();
    ASSERT_TRUE(QuickClick(kMenuPlay, "main-menu", kIntroLooks));
    ASSERT_TRUE(Hover(kSelectPlay, "level-select"));
    const XScreenPicture levelSelect = Screen();
    Tap();
    ASSERT_TRUE(WaitForMatch(levelSelect));
    HoldKey("Right", 800ms);
    Save(Screen(), "match-running");
    ASSERT_TRUE(AskXWindowToClose(std::getenv("DISPLAY"), mWindow));
    EXPECT_EQ(WaitForExit(2 * kLooks), 0);
}

} // namespace
