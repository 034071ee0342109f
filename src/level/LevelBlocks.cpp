#include "level/LevelBlocks.h"

#include <algorithm>
#include <limits>

const TileInfo* FindTile(const Level& level, int gid)
{
    if (gid == 0 || level.tilesets.empty())
        return nullptr;
    const long long id = static_cast<long long>(gid) - level.tilesets.front().firstgid;
    auto found = level.tileIndex.find(id);
    if (found == level.tileIndex.end() || found->second >= level.tiles.size())
        return nullptr;
    return &level.tiles[found->second];
}

TileKind KindOfTile(const Level& level, int gid)
{
    const TileInfo* tile = FindTile(level, gid);
    if (!tile)
        return kNoTile;
    if (tile->Passthrough)
        return kPassthroughTile;
    if (tile->Spawner)
        return kSpawnerTile;
    if (tile->Collides)
        return kSolidTile;
    return kNoTile;
}

KindGrid MakeKindGrid(const Level& level)
{
    KindGrid grid{level.width, level.height,
                  std::vector<int>(static_cast<std::size_t>(level.width) * level.height, kNoTile)};
    const std::size_t count = std::min(grid.cells.size(), level.foreground.size());
    int lastGid = -1;
    TileKind lastKind = kNoTile;
    for (std::size_t i = 0; i < count; ++i) {
        const int gid = level.foreground[i];
        if (gid != lastGid) {
            lastGid = gid;
            lastKind = KindOfTile(level, gid);
        }
        grid.cells[i] = lastKind;
    }
    return grid;
}

std::vector<LevelBlock> PlanLevelBlocks(const KindGrid& grid, std::size_t limit)
{
    const int W = grid.width;
    const int H = grid.height;
    std::vector<LevelBlock> blocks;
    std::vector<bool> used(grid.cells.size(), false);
    auto solidFree = [&](int col, int row) {
        const std::size_t i = static_cast<std::size_t>(row) * W + col;
        return grid.cells[i] == kSolidTile && !used[i];
    };
    auto markUsed = [&](int col, int row) { used[static_cast<std::size_t>(row) * W + col] = true; };

    const std::size_t cells = grid.cells.size();
    for (std::size_t i = 0; i < cells && blocks.size() < limit; ++i) {
        const int col = static_cast<int>(i % W);
        const int row = static_cast<int>(i / W);
        if (grid.cells[i] == kSolidTile && !used[i]) {
            int w = 1;
            int h = 1;
            markUsed(col, row);
            while (col + w < W && solidFree(col + w, row)) {
                markUsed(col + w, row);
                ++w;
            }
            while (row + h < H) {
                bool rowFree = true;
                for (int c = col; c < col + w && rowFree; ++c)
                    rowFree = solidFree(c, row + h);
                if (!rowFree)
                    break;
                for (int c = col; c < col + w; ++c)
                    markUsed(c, row + h);
                ++h;
            }
            blocks.push_back({kSolidTile, col, row, w, h});
        } else if (grid.cells[i] == kPassthroughTile) {
            int n = 1;
            while (col + n < W && grid.At(col + n, row) == kPassthroughTile)
                ++n;
            blocks.push_back({kPassthroughTile, col, row, n, 1});
            i += n - 1;
        }
    }
    return blocks;
}
