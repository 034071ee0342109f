#include "level/LevelBuilder.h"

#include "core/EntityManager.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "game/AISpawner.h"
#include "game/GoalZones.h"
#include "level/JumpThruPlat.h"
#include "level/Level.h"
#include "level/Portal.h"
#include "physics/StaticBody.h"
#include "render/Renderer.h"
#include "render/TextureManager.h"

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace {

enum TileKind : int { Nothing = 0, Solid = 1, Spawner = 2, Passthrough = 3 };

// The tile record of a gid, read against the first tile-set reference.
class TileLookup {
public:
    explicit TileLookup(const Level& level)
        : mLevel(level)
    {
    }

    // The first record of the gid's tile id that passes `accept`, or null.
    template <typename Accept>
    const TileInfo* Find(int gid, Accept accept) const
    {
        if (gid == 0 || mLevel.tilesets.empty())
            return nullptr;
        const int id = gid - mLevel.tilesets.front().firstgid;
        for (const TileInfo& tile : mLevel.tiles) {
            if (tile.id == id && accept(tile))
                return &tile;
        }
        return nullptr;
    }

    TileKind KindOf(int gid) const
    {
        const TileInfo* tile = Find(gid, [](const TileInfo&) { return true; });
        if (!tile)
            return Nothing;
        if (tile->Passthrough)
            return Passthrough;
        if (tile->Spawner)
            return Spawner;
        if (tile->Collides)
            return Solid;
        return Nothing;
    }

private:
    const Level& mLevel;
};

struct Grid {
    int width;
    int height;
    std::vector<int> cells;

    int At(int col, int row) const { return cells[static_cast<std::size_t>(row) * width + col]; }
};

Grid KindGrid(const Level& level, const TileLookup& lookup)
{
    Grid grid{level.width, level.height, std::vector<int>(static_cast<std::size_t>(level.width) * level.height, Nothing)};
    const std::size_t count = std::min(grid.cells.size(), level.foreground.size());
    int lastGid = -1;
    TileKind lastKind = Nothing;
    for (std::size_t i = 0; i < count; ++i) {
        const int gid = level.foreground[i];
        if (gid != lastGid) {
            lastGid = gid;
            lastKind = lookup.KindOf(gid);
        }
        grid.cells[i] = lastKind;
    }
    return grid;
}

void AddBlock(const char* name, glm::vec2 position, glm::vec2 scale, std::shared_ptr<fb::cmp::Component> body)
{
    auto entity = std::make_shared<fb::Entity>(name);
    entity->AddComponent(std::make_shared<fb::cmp::Transform>(position, scale, 0.0f));
    entity->AddComponent(std::move(body));
    EntityManager::Add(entity);
}

// Greedy rectangles over the solid cells (grown right, then down), and one
// platform per run of jump-through cells in a row.
void BuildColliders(const Grid& grid)
{
    const int W = grid.width;
    const int H = grid.height;
    std::vector<bool> used(grid.cells.size(), false);
    auto solidFree = [&](int col, int row) {
        const std::size_t i = static_cast<std::size_t>(row) * W + col;
        return grid.cells[i] == Solid && !used[i];
    };
    auto markUsed = [&](int col, int row) { used[static_cast<std::size_t>(row) * W + col] = true; };

    for (int i = 0; i < W * H; ++i) {
        const int col = i % W;
        const int row = i / W;
        if (grid.cells[i] == Solid && !used[i]) {
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
            AddBlock("Collider", {w * 0.5f + col - (W / 2), (H / 2) - row - h * 0.5f},
                     {static_cast<float>(w), static_cast<float>(h)}, std::make_shared<fb::cmp::StaticBody>());
        } else if (grid.cells[i] == Passthrough) {
            int n = 1;
            while (col + n < W && grid.At(col + n, row) == Passthrough)
                ++n;
            AddBlock("Passthrough Platform", {n * 0.5f + col - (W / 2), (H / 2) - row - 1.01f},
                     {static_cast<float>(n), 2.0f}, std::make_shared<JumpThruPlat>());
            i += n - 1;
        }
    }
}

const char* SpawnerKindName(int spawnerType)
{
    switch (spawnerType) {
    case 0:
        return "normal";
    case 1:
        return "giant";
    case 2:
        return "golden";
    default:
        return nullptr;
    }
}

// At the tile's top-left corner.
void BuildSpawners(const Level& level, const Grid& grid, const TileLookup& lookup)
{
    const int W = grid.width;
    const int H = grid.height;
    for (int i = 0; i < W * H; ++i) {
        if (grid.cells[i] != Spawner)
            continue;
        const TileInfo* tile = lookup.Find(level.foreground[i], [](const TileInfo& info) { return info.Spawner; });
        const char* kind = SpawnerKindName(tile ? tile->SpawnerType : 0);
        if (kind)
            AISpawner::EnableType({static_cast<float>(i % W - (W / 2)), static_cast<float>(H / 2 - i / W)}, kind);
    }
}

void BuildObjects(Level& level)
{
    const float tileWidth = static_cast<float>(level.tilewidth);
    const float tileHeight = static_cast<float>(level.tileheight);
    const float halfWidth = level.width * 0.5f;
    const float halfHeight = level.height * 0.5f;
    for (const MapObject& object : level.objects) {
        const float w = object.width / tileWidth;
        const float h = object.height / tileHeight;
        const float x = w * 0.5f + object.x / tileWidth - halfWidth;
        const float y = -(h * 0.5f + object.y / tileHeight - halfHeight);
        const std::string what = "Map object " + std::to_string(object.id) + " \"" + object.name + "\"";
        if (object.type == "RandomEvent") {
            level.randomEventPoints.push_back({x, y, w, h});
        } else if (object.type == "Portal") {
            if (object.Direction.empty()) {
                Trace(what + " is a portal without a \"Direction\" and is skipped: " + level.path, 3);
                continue;
            }
            level.portals.push_back({object.name, object.Direction, x, y, w, h});
        } else if (object.type == "SpawnPoint") {
            level.spawnPoints.push_back({x, y, w, h});
        } else if (w <= 0.0f || h <= 0.0f) {
            Trace(what + " is a goal zone without an area and is skipped: " + level.path, 3);
        } else {
            MakeDeactiveZone(object.name, {x, y}, {w, h});
        }
    }
}

} // namespace

void BuildLevel()
{
    Level& level = CurrentLevel();
    if (level.width <= 0 || level.height <= 0 || level.tilewidth <= 0 || level.tileheight <= 0) {
        Trace("No level is loaded; nothing is built", 3);
        return;
    }
    const TileLookup lookup(level);
    const Grid grid = KindGrid(level, lookup);
    BuildColliders(grid);
    BuildSpawners(level, grid, lookup);
    BuildObjects(level);
    CreateLevelPortals(level.portals);
}

void DrawLevelTiles()
{
    Level& level = CurrentLevel();
    const int W = level.width;
    const int H = level.height;
    if (W <= 0 || H <= 0)
        return;
    const std::size_t cells = static_cast<std::size_t>(W) * H;
    Renderer::SetBloom(false);
    const std::pair<const std::vector<int>*, const char*> layers[] = {{&level.background, "background"},
                                                                      {&level.foreground, "foreground"}};
    for (const auto& [layer, layerName] : layers) {
        const std::size_t count = std::min(cells, layer->size());
        int lastGid = 0;
        Texture* texture = nullptr;
        for (std::size_t i = 0; i < count; ++i) {
            const int gid = (*layer)[i];
            if (gid == 0)
                continue;
            if (gid != lastGid || !texture) {
                lastGid = gid;
                texture = &GetTileImage(gid, layerName);
                TextureManager::Get(*texture);
            }
            const int col = static_cast<int>(i % W);
            const int row = static_cast<int>(i / W);
            glm::mat3 model(1.0f);
            model[2] = glm::vec3(col + 0.5f - (W / 2), (H / 2) - row - 0.5f, 1.0f);
            Renderer::SetTexture(*texture);
            Renderer::SetTransform(model);
            Renderer::SetOpacity(1.0f);
            Renderer::Submit(2);
        }
    }
}
