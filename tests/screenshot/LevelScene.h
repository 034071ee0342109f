#pragma once

#include "core/Entity.h"
#include "core/Transform.h"
#include "level/Level.h"
#include "render/Renderer.h"
#include "render/Sprite.h"
#include "render/TextureManager.h"
#include "support/GLTestWindow.h"
#include "support/SavePng.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

// A level as the match shows it at its start: its tiles and the players at
// their spawn points. Shared by the tests that draw the game's levels.
namespace level_scene {

namespace fs = std::filesystem;

// One unit a tile, the origin at the map's centre, y up, row 0 at the top.
inline glm::vec2 TileCentre(const Level& level, int column, int row)
{
    return {static_cast<float>(column - level.width / 2) + 0.5f, static_cast<float>(level.height / 2 - row) - 0.5f};
}

inline glm::vec2 ObjectCentre(const Level& level, const MapObject& object)
{
    return {(object.x + object.width / 2.0f) / static_cast<float>(level.tilewidth) - level.width / 2.0f,
            level.height / 2.0f - (object.y + object.height / 2.0f) / static_cast<float>(level.tileheight)};
}

inline void QueueTiles(const Level& level)
{
    Renderer::SetBloom(false);
    for (const std::vector<int>* layer : {&level.background, &level.foreground}) {
        for (int row = 0; row < level.height; ++row) {
            for (int column = 0; column < level.width; ++column) {
                const int gid = (*layer)[static_cast<std::size_t>(row) * level.width + column];
                if (gid == 0)
                    continue;
                Texture& texture = GetTileImage(gid, "background");
                TextureManager::Get(texture);
                glm::mat3 model(1.0f);
                model[2] = glm::vec3(TileCentre(level, column, row), 1.0f);
                Renderer::SetTexture(texture);
                Renderer::SetTransform(model);
                Renderer::SetOpacity(1.0f);
                Renderer::Submit(2);
            }
        }
    }
}

inline std::vector<std::shared_ptr<fb::Entity>> MakePlayers(const Level& level)
{
    const char* const images[] = {"./assets/img/PlayerRed.png", "./assets/img/PlayerBlue.png",
                                  "./assets/img/PlayerYellow.png", "./assets/img/PlayerGrey.png"};
    std::vector<std::shared_ptr<fb::Entity>> players;
    for (const MapObject& object : level.objects) {
        if (object.type != "SpawnPoint" || players.size() == std::size(images))
            continue;
        auto player = std::make_shared<fb::Entity>(object.name);
        player->AddComponent(
            std::make_shared<fb::cmp::Transform>(ObjectCentre(level, object), glm::vec2(1.2f, 1.2f), 0.0f));
        auto sprite = std::make_shared<Sprite>(images[players.size()], 1.0f, 3);
        sprite->SetFlipped(players.size() % 2 == 1);
        player->AddComponent(sprite);
        players.push_back(player);
    }
    return players;
}

inline std::vector<std::string> GameMaps()
{
    std::vector<std::string> maps;
    for (const fs::directory_entry& entry : fs::directory_iterator("assets/levels")) {
        if (entry.path().extension() == ".json" && entry.path().filename() != "tiles.json")
            maps.push_back("./" + entry.path().generic_string());
    }
    std::sort(maps.begin(), maps.end());
    return maps;
}

} // namespace level_scene
