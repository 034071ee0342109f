#pragma once

#include <filesystem>

// A working folder for tests that let the tools write: "assets/json" is a
// copy of the game's, everything else in "assets" links to the real files.
// The test runs inside it while it lives; it is deleted afterwards.
class ScratchGameFolder {
public:
    ScratchGameFolder();
    ~ScratchGameFolder();
    ScratchGameFolder(const ScratchGameFolder&) = delete;
    ScratchGameFolder& operator=(const ScratchGameFolder&) = delete;

    const std::filesystem::path& Path() const { return mPath; }

private:
    std::filesystem::path mHome;
    std::filesystem::path mPath;
};
