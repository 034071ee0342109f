#pragma once

#include "support/GLTestWindow.h"

#include <filesystem>
#include <vector>

// Pictures shrunk side by side onto one sheet, for a person to look over.
class ContactSheet {
public:
    // Each picture becomes a tile this wide (its height kept in proportion)
    // in rows of `columns`.
    ContactSheet(int tileWidth, int columns);

    // A picture read back from a window (rows from the bottom).
    void Add(const std::vector<GLTestWindow::Pixel>& bottomUp, int width, int height);
    int Count() const { return static_cast<int>(mTiles.size()); }
    // False when the file cannot be written or there is nothing to write.
    bool Save(const std::filesystem::path& file) const;

private:
    struct Tile {
        int height;
        std::vector<GLTestWindow::Pixel> pixels; // rows from the top
    };
    int mTileWidth;
    int mColumns;
    std::vector<Tile> mTiles;
};
