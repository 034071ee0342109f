#include "level/LevelBuilder.h"

#include "core/EntityManager.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "game/AISpawner.h"
#include "game/GoalZones.h"
#include "level/JumpThruPlat.h"
#include "level/Level.h"
#include "level/LevelBlocks.h"
#include "level/Portal.h"
#include "physics/StaticBody.h"
#include "render/Renderer.h"
#include "render/TextureManager.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

namespace {

void AddBlock(const char* name, glm::vec2 position, glm::vec2 scale, std::shared_ptr<fb::cmp::Component> body)
{
    auto entity = std::make_shared<fb::Entity>(name);
    entity->AddComponent(std::make_shared<fb::cmp::Transform>(position, scale, 0.0f));
    entity->AddComponent(std::move(body));
    EntityManager::Add(entity);
}

// Solid rectangles become "Collider"s, jump-through runs platforms.
void BuildColliders(const KindGrid& grid)
{
    const int W = grid.width;
    const int H = grid.height;
    for (const LevelBlock& block : PlanLevelBlocks(grid, std::numeric_limits<std::size_t>::max())) {
        const float w = static_cast<float>(block.width);
        if (block.kind == kSolidTile) {
            const float h = static_cast<float>(block.height);
            AddBlock("Collider", {w * 0.5f + block.col - (W / 2), (H / 2) - block.row - h * 0.5f}, {w, h},
                     std::make_shared<fb::cmp::StaticBody>());
        } else {
            AddBlock("Passthrough Platform", {w * 0.5f + block.col - (W / 2), (H / 2) - block.row - 1.01f},
                     {w, 2.0f}, std::make_shared<JumpThruPlat>());
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
void BuildSpawners(const Level& level, const KindGrid& grid)
{
    const int W = grid.width;
    const int H = grid.height;
    for (int i = 0; i < W * H; ++i) {
        if (grid.cells[i] != kSpawnerTile)
            continue;
        const TileInfo* tile = FindTile(level, level.foreground[i]);
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
    const KindGrid grid = MakeKindGrid(level);
    BuildColliders(grid);
    BuildSpawners(level, grid);
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
    // Both layers read their gids against the first tile-set reference.
    for (const std::vector<int>* layer : {&level.background, &level.foreground}) {
        const std::size_t count = std::min(cells, layer->size());
        int lastGid = 0;
        Texture* texture = nullptr;
        for (std::size_t i = 0; i < count; ++i) {
            const int gid = (*layer)[i];
            if (gid == 0)
                continue;
            if (gid != lastGid || !texture) {
                lastGid = gid;
                texture = &GetTileImage(gid, "background");
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
