#include "ui/LevelSelector.h"

#include "core/JsonFile.h"
#include "core/StateManager.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "game/AISpawner.h"
#include "level/Level.h"
#include "level/LevelBuilder.h"
#include "tools/DeveloperLayout.h"
#include "tools/StringListItemGetter.h"

#include <SDL.h>
#include <algorithm>
#include <filesystem>
#include <imgui.h>
#include <stdexcept>
#include <system_error>

namespace {

namespace fs = std::filesystem;

const fs::path kLevelFolder = "assets/levels";
constexpr float kRefreshSeconds = 3.0f;
constexpr const char* kAISpawnerFile = "./assets/json/aitest.json";

// A listed path: the folder and the file name, joined with '/'.
std::string ListedPath(const fs::path& fileName)
{
    return (kLevelFolder / fileName).generic_string();
}

// Whether the document is an object whose "type" is the string "map".
bool HasMapType(const rapidjson::Document& document)
{
    if (!document.IsObject())
        return false;
    const auto type = document.FindMember("type");
    return type != document.MemberEnd() && type->value.IsString() &&
           std::string(type->value.GetString(), type->value.GetStringLength()) == "map";
}

// Whether the file belongs in the list. Otherwise `problem` says why for a
// file that is not JSON or a map the loader refuses, naming the file, and is
// left empty for any other file.
bool IsListedMap(const std::string& path, std::string& problem)
{
    rapidjson::Document document;
    std::string error;
    const fb::JsonFileStatus status = fb::ReadJsonFile(path, document, error);
    if (status == fb::JsonFileStatus::Invalid) {
        problem = "a file that is not valid JSON: " + error;
        return false;
    }
    if (status != fb::JsonFileStatus::Read || !HasMapType(document))
        return false;
    if (LevelSelector::IsReadableMap(path, error))
        return true;
    problem = "a map the game cannot read: " + error;
    return false;
}

bool KeyHeld(SDL_Scancode key)
{
    int count = 0;
    const Uint8* keys = SDL_GetKeyboardState(&count);
    return keys && key < count && keys[key];
}

} // namespace

LevelSelector::LevelSelector()
    : mRefreshTimer(kRefreshSeconds)
{
    mRefreshTimer.SetRemaining(0.0f);
}

bool LevelSelector::IsMapFile(const std::string& path)
{
    rapidjson::Document document;
    std::string error;
    return fb::ReadJsonFile(path, document, error) == fb::JsonFileStatus::Read && HasMapType(document);
}

bool LevelSelector::IsReadableMap(const std::string& path, std::string& error)
{
    Level scratch;
    try {
        if (ReadMapFile(path, scratch))
            return true;
        error = "The file has no \"type\": " + path;
    } catch (const std::exception& failure) {
        error = failure.what();
    }
    return false;
}

void LevelSelector::RefreshLevelList()
{
    mPaths.clear();
    std::map<std::string, FileStamp> toldOf;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(kLevelFolder, error)) {
        std::error_code entryError;
        if (!entry.is_regular_file(entryError) || entry.path().extension() != ".json")
            continue;
        std::string path = ListedPath(entry.path().filename());
        std::string problem;
        if (IsListedMap(path, problem)) {
            mPaths.push_back(std::move(path));
            continue;
        }
        if (problem.empty())
            continue;
        std::error_code stampError;
        const FileStamp stamp{entry.last_write_time(stampError), entry.file_size(stampError)};
        const auto told = mToldOf.find(path);
        if (told == mToldOf.end() || told->second != stamp)
            Trace("The level list leaves out " + problem, 3);
        toldOf.emplace(std::move(path), stamp);
    }
    mToldOf = std::move(toldOf);
    std::sort(mPaths.begin(), mPaths.end());
    if (mSelected >= GetLevelCount())
        mSelected = -1;
}

int LevelSelector::GetLevelCount() const
{
    return static_cast<int>(mPaths.size());
}

std::string LevelSelector::GetLevelName(int index) const
{
    if (index < 0 || index >= GetLevelCount())
        return "";
    return mPaths[static_cast<std::size_t>(index)];
}

int LevelSelector::IndexOfCurrentLevel() const
{
    const auto current = std::find(mPaths.begin(), mPaths.end(), GetLevelPath());
    if (current != mPaths.end())
        return static_cast<int>(current - mPaths.begin());
    const auto tutorial = std::find(mPaths.begin(), mPaths.end(), ListedPath("tutorial.json"));
    if (tutorial != mPaths.end())
        return static_cast<int>(tutorial - mPaths.begin());
    return 0;
}

void LevelSelector::Update()
{
    mRefreshTimer.Update(Time::GetDt());
    if (mRefreshTimer.IsDone() && mWindowOpen) {
        RefreshLevelList();
        mRefreshTimer.Reset();
    }

    if (mWindowOpen) {
        if (KeyHeld(SDL_SCANCODE_MINUS)) {
            mWindowOpen = false;
            return;
        }
        BeginDeveloperWindow("Level Selector", developer_layout::kLevelSelector);
        ImGui::PushItemWidth(-1.0f);
        ImGui::Text("Select a level from the list");
        ImGui::ListBox("##Levels", &mSelected, StringListItemGetter, &mPaths, GetLevelCount(), 10);
        if (ImGui::Button("Go To Selected Level"))
            GoToSelectedLevel();
        ImGui::PopItemWidth();
        ImGui::End();
    } else if (KeyHeld(SDL_SCANCODE_EQUALS)) {
        mWindowOpen = true;
    }
}

bool LevelSelector::GoToSelectedLevel()
{
    const std::string path = GetLevelName(mSelected);
    fb::GS* state = StateManager::GetCurrentState();
    if (path.empty() || !state)
        return false;
    if (!IsMapFile(path)) {
        Trace("Level Selector: not a map, nothing is loaded: " + path, 4);
        return false;
    }

    state->Exit();
    try {
        AISpawner::LoadFile(kAISpawnerFile);
        // The loaders add to what is loaded, so the old level goes first.
        UnloadTileset();
        UnloadLevel();
        LoadLevel(path);
        BuildLevel();
        state->Init();
        return true;
    } catch (const std::exception& error) {
        Trace(std::string("Level Selector: the level could not be loaded, back to the main menu: ") + error.what(),
              4);
    }
    // Leave the state initialised, so that the switch to the menu exits it once.
    UnloadTileset();
    UnloadLevel();
    try {
        state->Init();
    } catch (const std::exception& error) {
        Trace(std::string("Level Selector: ") + error.what(), 4);
    }
    StateManager::SetNextState("MainMenuState");
    return false;
}
