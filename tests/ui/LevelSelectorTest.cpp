#include "core/GameState.h"
#include "core/StateManager.h"
#include "core/Trace.h"
#include "level/Level.h"
#include "support/EngineWorldTest.h"
#include "support/FileText.h"
#include "support/GLTestWindow.h"
#include "support/StateStandIn.h"
#include "support/VirtualKeyboard.h"
#include "ui/LevelSelector.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <imgui.h>
#include <imgui_impl_opengl3.h>
#include <imgui_impl_sdl.h>
#include <imgui_internal.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

using Paths = std::vector<std::string>;

Paths Listed(const LevelSelector& selector)
{
    Paths paths;
    for (int i = 0; i < selector.GetLevelCount(); ++i)
        paths.push_back(selector.GetLevelName(i));
    return paths;
}

// The least the level loader reads as a map.
const std::string kMap = R"({"type": "map", "width": 2, "height": 2, "tilewidth": 32, "tileheight": 32})";

void Write(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// A scratch working directory with its own "assets/levels", holding maps
// and the other things a levels folder collects.
class ScratchLevels {
public:
    ScratchLevels()
        : mHome(fs::current_path())
        , mRoot(fs::temp_directory_path() / ("vendrabolt-level-list-" + std::to_string(getpid())))
    {
        fs::remove_all(mRoot);
        fs::create_directories(mRoot);
        fs::current_path(mRoot);
    }
    ~ScratchLevels()
    {
        fs::current_path(mHome);
        fs::remove_all(mRoot);
    }

    void FillWithMapsAndOtherFiles() const
    {
        Write("assets/levels/tutorial.json", kMap);
        Write("assets/levels/b_arena.json", kMap);
        Write("assets/levels/a_arena.json", kMap);
        // Maps by their type that the level loader refuses.
        Write("assets/levels/no_height.json", R"({"type": "map", "width": 2})");
        Write("assets/levels/packed.json", R"({"type": "map", "width": 2, "height": 2, "tilewidth": 32,
            "tileheight": 32, "layers": [{"name": "Tiles", "encoding": "base64", "data": "AAAA"}]})");
        Write("assets/levels/tiles.json", R"({"type": "tileset"})");
        Write("assets/levels/broken.json", R"({"type": "map")");
        Write("assets/levels/number.json", R"({"type": 5})");
        Write("assets/levels/list.json", R"(["type", "map"])");
        Write("assets/levels/no_type.json", R"({"name": "map"})");
        Write("assets/levels/nul.json", R"({"type": "map\u0000"})");
        Write("assets/levels/SHOUT.JSON", kMap);
        Write("assets/levels/old.json.bak", kMap);
        Write("assets/levels/sub/deep.json", kMap);
        fs::create_directories("assets/levels/folder.json");
    }

    const fs::path& Home() const { return mHome; }

private:
    fs::path mHome;
    fs::path mRoot;
};

TEST(LevelList, ListsTheMapsOfTheFolderSortedAndFindsTheCurrentOne)
{
    ScratchLevels scratch;
    scratch.FillWithMapsAndOtherFiles();
    UnloadLevel();
    LevelSelector selector;
    EXPECT_EQ(selector.GetLevelCount(), 0) << "nothing is listed before the first refresh";
    // A shipped map cut off half-way through, as a save broken off leaves it.
    const std::string whole = FileText(scratch.Home() / "assets/levels/tutorial.json");
    Write("assets/levels/cut.json", whole.substr(0, whole.size() / 2));
    std::vector<std::string> traces;
    const TraceSink oldSink = SetTraceSink([&traces](const std::string& message, int) { traces.push_back(message); });
    for (int refresh = 0; refresh < 3; ++refresh)
        selector.RefreshLevelList();
    EXPECT_EQ(Listed(selector),
              (Paths{"assets/levels/a_arena.json", "assets/levels/b_arena.json", "assets/levels/tutorial.json"}));
    // The files left out are named once with the reader's or the loader's
    // reason; the other files are no maps at all.
    const auto leftOut = [&traces](const std::string& reason) {
        return std::count_if(traces.begin(), traces.end(), [&reason](const std::string& trace) {
            return trace.find("leaves out") != std::string::npos && trace.find(reason) != std::string::npos;
        });
    };
    EXPECT_EQ(leftOut(""), 4);
    EXPECT_EQ(leftOut("no_height.json"), 1);
    EXPECT_EQ(leftOut("Layer \"Tiles\" holds base64"), 1);
    EXPECT_EQ(leftOut("not valid JSON: assets/levels/cut.json: unexpected end at byte "), 1);
    EXPECT_EQ(leftOut("not valid JSON: assets/levels/broken.json"), 1);
    EXPECT_EQ(leftOut("tiles.json"), 0);
    // Changed, a file is told of again.
    Write("assets/levels/cut.json", whole.substr(0, whole.size() / 3));
    selector.RefreshLevelList();
    SetTraceSink(oldSink);
    EXPECT_EQ(leftOut("cut.json"), 2);
    EXPECT_EQ(leftOut(""), 5);
    for (const std::string& path : Listed(selector))
        EXPECT_TRUE(std::ifstream(path).good()) << path << " opens as listed";
    for (int outside : {-1, -2, 3, 100})
        EXPECT_EQ(selector.GetLevelName(outside), "") << outside;

    EXPECT_EQ(selector.IndexOfCurrentLevel(), 2) << "no level loaded: the tutorial";
    CurrentLevel().path = "assets/levels/b_arena.json";
    EXPECT_EQ(selector.IndexOfCurrentLevel(), 1);
    CurrentLevel().path = "./assets/levels/b_arena.json";
    EXPECT_EQ(selector.IndexOfCurrentLevel(), 2) << "another spelling of the path falls back to the tutorial";

    // A refresh that shrinks the list drops a selection past its end.
    selector.SetSelected(2);
    fs::remove("assets/levels/tutorial.json");
    selector.RefreshLevelList();
    EXPECT_EQ(selector.GetLevelCount(), 2);
    EXPECT_EQ(selector.GetSelected(), -1);
    EXPECT_EQ(selector.IndexOfCurrentLevel(), 0) << "neither the map nor the tutorial is listed";
    selector.SetSelected(1);
    selector.RefreshLevelList();
    EXPECT_EQ(selector.GetSelected(), 1);
    EXPECT_FALSE(selector.GoToSelectedLevel()) << "no state is running";

    fs::remove_all("assets/levels");
    selector.RefreshLevelList();
    EXPECT_EQ(selector.GetLevelCount(), 0) << "no folder, no maps";
    UnloadLevel();
}

// A state that notes what the level selector does to it.
class NotingState : public fb::GS {
public:
    void Init() override { calls.push_back("Init " + GetLevelPath()); }
    void Exit() override { calls.push_back("Exit"); }
    void Load() override { calls.push_back("Load"); }
    void Unload() override { calls.push_back("Unload"); }
    Paths calls;
};

NotingState gRunningState;
NotingState gMenuState;

class LevelSelectorWindowTest : public EngineWorldTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(keys.IsRunning());
        EngineWorldTest::SetUp();
        window = std::make_unique<GLTestWindow>();
        ASSERT_TRUE(keys.Attach(window->GetWindow().GetSDLWindow()));
        ImGui::CreateContext();
        ImGui::GetIO().IniFilename = nullptr;
        ImGui_ImplSDL2_InitForOpenGL(window->GetWindow().GetSDLWindow(), window->GetWindow().GetContext());
        ImGui_ImplOpenGL3_Init("#version 130");
        runningName.emplace("LevelSelectorTestState", gRunningState);
        menuName.emplace("MainMenuState", gMenuState);
        StateManager::Start("LevelSelectorTestState");
        gRunningState.calls.clear();
        gMenuState.calls.clear();
    }

    void TearDown() override
    {
        StateManager::Quit();
        menuName.reset();
        runningName.reset();
        ImGui_ImplOpenGL3_Shutdown();
        ImGui_ImplSDL2_Shutdown();
        ImGui::DestroyContext();
        window.reset();
        UnloadTileset();
        UnloadLevel();
        EngineWorldTest::TearDown();
    }

    // A frame as the game runs it: ImGui's frame, the selector, then the
    // window draws ImGui and pumps the keys.
    void Frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            ImGui_ImplOpenGL3_NewFrame();
            ImGui_ImplSDL2_NewFrame();
            ImGui::NewFrame();
            selector.Update();
            window->GetWindow().Update();
        }
    }

    static bool WindowShown()
    {
        const ImGuiWindow* shown = ImGui::FindWindowByName("Level Selector");
        return shown && shown->Active;
    }

    VirtualKeyboard keys; // first: its X server must be up before SDL video starts
    std::unique_ptr<GLTestWindow> window;
    LevelSelector selector;
    std::optional<StateStandIn> runningName;
    std::optional<StateStandIn> menuName;
};

TEST_F(LevelSelectorWindowTest, OpensOnEqualsRefreshesEveryThreeSecondsAndClosesOnMinus)
{
    ScratchLevels scratch;
    scratch.FillWithMapsAndOtherFiles();
    Frames(200);
    EXPECT_FALSE(selector.IsWindowOpen());
    EXPECT_EQ(selector.GetLevelCount(), 0) << "the list waits for the window";

    keys.Press(SDL_SCANCODE_EQUALS);
    Frames(2);
    keys.Release(SDL_SCANCODE_EQUALS);
    Frames(1);
    EXPECT_TRUE(selector.IsWindowOpen());
    EXPECT_TRUE(WindowShown());
    EXPECT_EQ(selector.GetLevelCount(), 3) << "refreshed as it opens";

    Write("assets/levels/c_arena.json", kMap);
    Frames(150);
    EXPECT_EQ(selector.GetLevelCount(), 3);
    Frames(40);
    EXPECT_EQ(selector.GetLevelCount(), 4) << "refreshed again after 3 s";

    keys.Press(SDL_SCANCODE_MINUS);
    Frames(2);
    keys.Release(SDL_SCANCODE_MINUS);
    Frames(2);
    EXPECT_FALSE(selector.IsWindowOpen());
    EXPECT_FALSE(WindowShown());
}

TEST_F(LevelSelectorWindowTest, GoToReloadsTheRunningStateOnTheChosenMap)
{
    selector.RefreshLevelList();
    ASSERT_EQ(Listed(selector),
              (Paths{"assets/levels/crystal_caverns.json", "assets/levels/frost_spires.json",
                     "assets/levels/mossy_hollow.json", "assets/levels/red_mesa.json", "assets/levels/tutorial.json"}));
    LoadLevel("./assets/levels/tutorial.json");
    EXPECT_EQ(selector.IndexOfCurrentLevel(), 4);

    selector.SetSelected(3);
    ASSERT_TRUE(selector.GoToSelectedLevel());
    EXPECT_EQ(gRunningState.calls, (Paths{"Exit", "Init assets/levels/red_mesa.json"}));
    EXPECT_EQ(selector.IndexOfCurrentLevel(), 3);
    const std::size_t objects = CurrentLevel().objects.size();
    const std::size_t tiles = CurrentLevel().tiles.size();
    EXPECT_GT(objects, 0u);
    ASSERT_TRUE(selector.GoToSelectedLevel());
    EXPECT_EQ(CurrentLevel().objects.size(), objects) << "the old level is gone before the new one loads";
    EXPECT_EQ(CurrentLevel().tiles.size(), tiles);

    gRunningState.calls.clear();
    for (int outside : {-1, 5, 42}) {
        selector.SetSelected(outside);
        EXPECT_FALSE(selector.GoToSelectedLevel());
    }
    EXPECT_TRUE(gRunningState.calls.empty());
    EXPECT_EQ(GetLevelPath(), "assets/levels/red_mesa.json");
}

TEST_F(LevelSelectorWindowTest, AMapThatFailsToLoadLeadsToTheMainMenu)
{
    ScratchLevels scratch;
    fs::create_directories("assets/json");
    fs::copy_file(scratch.Home() / "assets/json/aitest.json", "assets/json/aitest.json");
    Write("assets/levels/a_changed.json", kMap);
    Write("assets/levels/b_no_layers.json", kMap);
    selector.RefreshLevelList();
    ASSERT_EQ(selector.GetLevelCount(), 2);
    Write("assets/levels/b_no_layers.json", R"({"type": "map"})");

    // Changed into a tile set after it was listed: the state is left alone.
    Write("assets/levels/a_changed.json", R"({"type": "tileset"})");
    selector.SetSelected(0);
    EXPECT_FALSE(selector.GoToSelectedLevel());
    EXPECT_TRUE(gRunningState.calls.empty());
    EXPECT_TRUE(Traced("not a map"));

    selector.SetSelected(1);
    EXPECT_FALSE(selector.GoToSelectedLevel());
    EXPECT_TRUE(Traced("b_no_layers.json"));
    EXPECT_EQ(GetLevelPath(), "");
    StateManager::Update();
    EXPECT_EQ(gRunningState.calls, (Paths{"Exit", "Init ", "Exit", "Unload"}));
    EXPECT_EQ(gMenuState.calls, (Paths{"Load", "Init "}));
}

} // namespace
