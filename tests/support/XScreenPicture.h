#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// The picture on a whole X screen, read back from the server as a person
// would see it: RGBA, rows from the top.
struct XScreenPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;

    bool IsEmpty() const { return rgba.empty(); }
    // Red, green, blue of the pixel at (x, y) from the top left; black
    // outside the picture.
    std::array<std::uint8_t, 3> At(int x, int y) const;
    // Written as a PNG file; false when it could not be.
    bool SavePng(const std::filesystem::path& file) const;
};

// An empty picture when the display cannot be opened or read.
XScreenPicture CaptureXScreen(const std::string& display);
