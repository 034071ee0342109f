#pragma once

#include "level/Level.h"

#include <cstddef>
#include <vector>

// How the Foreground layer's tiles become the level's solid rectangles and
// jump-through platforms. Read against the first tile-set reference.

enum TileKind : int { kNoTile = 0, kSolidTile = 1, kSpawnerTile = 2, kPassthroughTile = 3 };

// The first tile record of a gid, or null (gid 0, no tile set, no record).
const TileInfo* FindTile(const Level& level, int gid);
// By precedence: jump-through, spawner, solid, nothing.
TileKind KindOfTile(const Level& level, int gid);

// The kind of every cell of the Foreground layer, row-major.
struct KindGrid {
    int width = 0;
    int height = 0;
    std::vector<int> cells;

    int At(int col, int row) const { return cells[static_cast<std::size_t>(row) * width + col]; }
};
KindGrid MakeKindGrid(const Level& level);

// A solid rectangle (grown right, then down) or a run of jump-through cells
// in one row, in cells from the top-left.
struct LevelBlock {
    TileKind kind;
    int col;
    int row;
    int width;
    int height;
};
// In the order of their first cell. Stops after `limit` blocks.
std::vector<LevelBlock> PlanLevelBlocks(const KindGrid& grid, std::size_t limit);
