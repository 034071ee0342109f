// The level select on a levels folder of the test's own, driven with a pad:
// a map is read once however often the screen is entered, a map that fails
// to read leaves the screen up without a preview, and an index past the
// list or an empty list load nothing they should not.

#include "core/Game.h"
#include "core/Window.h"
#include "core/StateManager.h"
#include "core/Trace.h"
#include "level/Level.h"
#include "support/GameFrames.h"
#include "support/PrivateXServer.h"
#include "ui/LevelSelectState.h"
#include "ui/MainMenuState.h"

#include <SDL.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

class LevelSelectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(mServer.IsRunning());
        // The game's assets, with a levels folder whose maps the test picks.
        const fs::path assets = fs::current_path() / "assets";
        mHome = fs::current_path();
        mRoot = fs::temp_directory_path() / ("vendrabolt-level-select-" + std::to_string(getpid()));
        fs::remove_all(mRoot);
        fs::create_directories(mRoot / "assets" / "levels");
        for (const fs::directory_entry& entry : fs::directory_iterator(assets)) {
            if (entry.path().filename() != "levels")
                fs::create_symlink(entry.path(), mRoot / "assets" / entry.path().filename());
        }
        for (const fs::directory_entry& entry : fs::directory_iterator(assets / "levels"))
            fs::create_symlink(entry.path(), Levels() / entry.path().filename());
        // Sorted last; a map until the test breaks it.
        std::ofstream(Levels() / "zz_broken.json")
            << R"({"type": "map", "width": 1, "height": 1, "tilewidth": 64, "tileheight": 64,
                   "tilesets": [{"firstgid": 1, "source": "tiles.json"}],
                   "layers": [{"name": "Background", "width": 1, "height": 1, "data": [0]},
                              {"name": "Foreground", "width": 1, "height": 1, "data": [0]}]})";
        fs::current_path(mRoot);

        mOldSink = SetTraceSink([this](const std::string& message, int level) {
            if (level >= 3)
                mTraces.push_back(message);
        });
        mPad = std::make_unique<VirtualPad>();
        StartGameOnFrameClock();
        // The pointer rests in a corner where no screen has a button.
        SDL_WarpMouseInWindow(gWindow->GetSDLWindow(), 0, 0);
    }

    void TearDown() override
    {
        mPad.reset();
        Game::Shutdown();
        SetTraceSink(mOldSink);
        fs::current_path(mHome);
        fs::remove_all(mRoot);
    }

    fs::path Levels() const { return mRoot / "assets" / "levels"; }

    static void Frames(int count) { RunGameFrames(count); }
    void Tap(SDL_GameControllerButton button) { TapPad(*mPad, button); }

    fb::LevelSelectState* Select() const
    {
        return dynamic_cast<fb::LevelSelectState*>(StateManager::GetCurrentState());
    }

    // Into the level select straight from wherever the game is; the pad
    // drives the menus and Play has the focus.
    fb::LevelSelectState* Enter()
    {
        StateManager::SetNextState("LevelSelectState");
        Frames(2);
        Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        return Select();
    }

    // Back (above Play) to the main menu.
    void LeaveFromPlay()
    {
        Tap(SDL_CONTROLLER_BUTTON_DPAD_UP);
        Tap(SDL_CONTROLLER_BUTTON_A);
        Frames(1);
        ASSERT_TRUE(dynamic_cast<fb::MainMenuState*>(StateManager::GetCurrentState()));
    }

    bool Traced(const std::string& text) const
    {
        for (const std::string& message : mTraces) {
            if (message.find(text) != std::string::npos)
                return true;
        }
        return false;
    }

    // Pointer moves stay on a display of this test's own.
    PrivateXServer mServer;
    fs::path mHome;
    fs::path mRoot;
    TraceSink mOldSink;
    std::vector<std::string> mTraces;
    std::unique_ptr<VirtualPad> mPad;
};

TEST_F(LevelSelectTest, MapsLoadOnceBadMapsLeaveNoPreviewAndTheIndexStaysInTheList)
{
    fb::LevelSelectState* select = Enter();
    ASSERT_TRUE(select);
    ASSERT_TRUE(fb::LevelSelectState::IsMapLoaded());
    const std::string firstMap = GetLevelPath();
    const std::size_t objects = CurrentLevel().objects.size();
    const std::size_t tiles = CurrentLevel().tiles.size();
    ASSERT_GT(objects, 0u);

    // Back and in again: the map stays loaded in between and is read again
    // in its place, not on top of itself.
    LeaveFromPlay();
    select = Enter();
    EXPECT_EQ(GetLevelPath(), firstMap);
    EXPECT_EQ(CurrentLevel().objects.size(), objects);
    EXPECT_EQ(CurrentLevel().tiles.size(), tiles);

    // Right, then Left twice: past the first map to the last one, which
    // broke after the list was read (its layers are no list now).
    std::ofstream(Levels() / "zz_broken.json") << R"({"type": "map", "width": 10, "height": 10, "layers": 3})";
    Tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(select->GetIndex(), 1);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(GetLevelPath(), firstMap);
    EXPECT_EQ(CurrentLevel().objects.size(), objects);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(select->GetIndex(), 5);
    EXPECT_TRUE(Traced("zz_broken.json"));
    EXPECT_FALSE(fb::LevelSelectState::IsMapLoaded());
    // The screen stays; Play (left of the arrows) starts nothing.
    Tap(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    Tap(SDL_CONTROLLER_BUTTON_A);
    Frames(2);
    EXPECT_EQ(Select(), select);

    // The next visit's list leaves the broken map out, and the index that
    // pointed at it starts again at the first map.
    LeaveFromPlay();
    mTraces.clear();
    select = Enter();
    EXPECT_TRUE(Traced("leaves out a map the game cannot read"));
    EXPECT_TRUE(Traced("zz_broken.json"));
    EXPECT_EQ(select->GetIndex(), 0);
    EXPECT_EQ(GetLevelPath(), firstMap);

    // No maps at all: nothing is loaded, the arrows and Play do nothing.
    LeaveFromPlay();
    for (const fs::directory_entry& entry : fs::directory_iterator(Levels()))
        fs::remove(entry.path());
    select = Enter();
    EXPECT_FALSE(fb::LevelSelectState::IsMapLoaded());
    Tap(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    Tap(SDL_CONTROLLER_BUTTON_A);
    Tap(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    Tap(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(select->GetIndex(), 0);
    EXPECT_EQ(GetLevelPath(), "");
    Tap(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    Tap(SDL_CONTROLLER_BUTTON_A);
    Frames(2);
    EXPECT_EQ(Select(), select);
}

} // namespace
