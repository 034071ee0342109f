#include "support/ContactSheet.h"

#include <algorithm>
#include <stb/stb_image_write.h>

namespace {

constexpr int kGap = 6;
constexpr GLTestWindow::Pixel kPaper{40, 40, 40, 255};

} // namespace

ContactSheet::ContactSheet(int tileWidth, int columns)
    : mTileWidth(tileWidth)
    , mColumns(columns)
{
}

void ContactSheet::Add(const std::vector<GLTestWindow::Pixel>& bottomUp, int width, int height)
{
    Tile tile;
    tile.height = std::max(1, height * mTileWidth / std::max(1, width));
    tile.pixels.resize(static_cast<std::size_t>(mTileWidth) * static_cast<std::size_t>(tile.height));
    // Each tile pixel averages the block of source pixels it covers.
    for (int ty = 0; ty < tile.height; ++ty) {
        const int y0 = ty * height / tile.height;
        const int y1 = std::max(y0 + 1, (ty + 1) * height / tile.height);
        for (int tx = 0; tx < mTileWidth; ++tx) {
            const int x0 = tx * width / mTileWidth;
            const int x1 = std::max(x0 + 1, (tx + 1) * width / mTileWidth);
            int sum[3] = {0, 0, 0};
            int count = 0;
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) {
                    const GLTestWindow::Pixel& p =
                        bottomUp[static_cast<std::size_t>(height - 1 - y) * static_cast<std::size_t>(width) +
                                 static_cast<std::size_t>(x)];
                    sum[0] += p.r;
                    sum[1] += p.g;
                    sum[2] += p.b;
                    ++count;
                }
            }
            tile.pixels[static_cast<std::size_t>(ty) * static_cast<std::size_t>(mTileWidth) +
                        static_cast<std::size_t>(tx)] = {static_cast<std::uint8_t>(sum[0] / count),
                                                         static_cast<std::uint8_t>(sum[1] / count),
                                                         static_cast<std::uint8_t>(sum[2] / count), 255};
        }
    }
    mTiles.push_back(std::move(tile));
}

bool ContactSheet::Save(const std::filesystem::path& file) const
{
    if (mTiles.empty())
        return false;
    int rowHeight = 0;
    for (const Tile& tile : mTiles)
        rowHeight = std::max(rowHeight, tile.height);
    const int columns = std::min(mColumns, Count());
    const int rows = (Count() + mColumns - 1) / mColumns;
    const int width = kGap + columns * (mTileWidth + kGap);
    const int height = kGap + rows * (rowHeight + kGap);
    std::vector<GLTestWindow::Pixel> sheet(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), kPaper);
    for (int i = 0; i < Count(); ++i) {
        const Tile& tile = mTiles[static_cast<std::size_t>(i)];
        const int left = kGap + (i % mColumns) * (mTileWidth + kGap);
        const int top = kGap + (i / mColumns) * (rowHeight + kGap);
        for (int y = 0; y < tile.height; ++y) {
            std::copy_n(tile.pixels.begin() + static_cast<std::ptrdiff_t>(y) * mTileWidth, mTileWidth,
                        sheet.begin() + static_cast<std::ptrdiff_t>(top + y) * width + left);
        }
    }
    return stbi_write_png(file.c_str(), width, height, 4, sheet.data(), width * 4) != 0;
}
