#pragma once

#include "core/Timer.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

// The playable maps: every file in "assets/levels" (not its sub-folders)
// named *.json that the level loader reads as a map, sorted by path, each
// listed as "assets/levels/<file>". A file that is not JSON, or that says it
// is a map but that the loader refuses, is left out with a trace saying why,
// once until the file changes; other JSON files (the tile set) are left out
// without a word. It also carries the developer window "Level Selector"
// ('=' opens it, '-' closes it) that loads any listed map into the running
// state.
class LevelSelector {
public:
    // An empty list that is refreshed as soon as the window opens.
    LevelSelector();

    // Whether the file is a JSON document whose root "type" is "map". Every
    // failure (no file, bad JSON, no or another "type") gives false.
    static bool IsMapFile(const std::string& path);
    // Whether the level loader reads the file, and the tile set it names,
    // as a map (no image is loaded). Otherwise `error` says why and names
    // the file.
    static bool IsReadableMap(const std::string& path, std::string& error);
    // Lists the maps of "assets/levels" again; an absent folder lists none.
    // A selection in the window that is no longer in the list is dropped.
    void RefreshLevelList();
    int GetLevelCount() const;
    // The path of the i-th map, or "" for an index outside the list.
    std::string GetLevelName(int index) const;
    // The index of the loaded map (GetLevelPath), else of the tutorial map,
    // else 0.
    int IndexOfCurrentLevel() const;

    // The developer window, once a frame inside an ImGui frame: refreshes
    // the list every 3 s while open, and follows the '=' and '-' keys.
    void Update();

    bool IsWindowOpen() const { return mWindowOpen; }
    // The entry chosen in the window, -1 for none.
    int GetSelected() const { return mSelected; }
    void SetSelected(int index) { mSelected = index; }
    // What the window's "Go To Selected Level" does: reloads the running
    // state on the selected map. Nothing happens, and false is returned,
    // without a valid selection or when the file is not a map. A map that
    // fails to load is traced and the game goes to "MainMenuState".
    bool GoToSelectedLevel();

private:
    // What a file left out with a trace was like then.
    struct FileStamp {
        std::filesystem::file_time_type written;
        std::uintmax_t size = 0;
        bool operator==(const FileStamp&) const = default;
    };

    std::vector<std::string> mPaths;
    // The files of the last refresh that the list told of, by path.
    std::map<std::string, FileStamp> mToldOf;
    Timer mRefreshTimer;
    bool mWindowOpen = false;
    int mSelected = -1;
};
