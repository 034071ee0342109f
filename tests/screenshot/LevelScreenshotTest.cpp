// Draws every level of the game as the match would show it at its start
// (background, tiles, the players at their spawn points, the level's name)
// and saves one PNG per level into the temporary folder, for a person to
// look at. Run it with: xvfb-run -a build/tests/screenshot_tests

#include "core/Entity.h"
#include "core/Transform.h"
#include "level/Level.h"
#include "render/CamManager.h"
#include "render/Renderer.h"
#include "render/Sprite.h"
#include "render/TextRenderer.h"
#include "render/TextureManager.h"
#include "support/GLTestWindow.h"
#include "support/SavePng.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 640;
constexpr int kHeight = 360;

// One unit a tile, the origin at the map's centre, y up, row 0 at the top.
glm::vec2 TileCentre(const Level& level, int column, int row)
{
    return {static_cast<float>(column - level.width / 2) + 0.5f,
            static_cast<float>(level.height / 2 - row) - 0.5f};
}

glm::vec2 ObjectCentre(const Level& level, const MapObject& object)
{
    return {(object.x + object.width / 2.0f) / static_cast<float>(level.tilewidth) - level.width / 2.0f,
            level.height / 2.0f - (object.y + object.height / 2.0f) / static_cast<float>(level.tileheight)};
}

void QueueTiles(const Level& level)
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

std::vector<std::shared_ptr<fb::Entity>> MakePlayers(const Level& level)
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

std::vector<std::string> GameMaps()
{
    std::vector<std::string> maps;
    for (const fs::directory_entry& entry : fs::directory_iterator("assets/levels")) {
        if (entry.path().extension() == ".json" && entry.path().filename() != "tiles.json")
            maps.push_back("./" + entry.path().generic_string());
    }
    std::sort(maps.begin(), maps.end());
    return maps;
}

TEST(LevelScreenshot, EveryLevelIsDrawnAndSaved)
{
    GLTestWindow window(kWidth, kHeight);
    Renderer::Initialize();
    TextRenderer::Initialize();
    const std::vector<std::string> maps = GameMaps();
    ASSERT_FALSE(maps.empty());

    for (const std::string& map : maps) {
        SCOPED_TRACE(map);
        UnloadLevel();
        UnloadTileset();
        ASSERT_NO_THROW(LoadLevel(map));
        const Level& level = CurrentLevel();

        auto camera = std::make_shared<CamManager::Camera>();
        camera->SetScale({static_cast<float>(level.width), static_cast<float>(level.height)});
        CamManager::SetActiveCamera(camera);
        Renderer::SetBackground(GetLevelBackground());
        const std::vector<std::shared_ptr<fb::Entity>> players = MakePlayers(level);

        Renderer::BeginFrame();
        QueueTiles(level);
        for (const auto& player : players)
            player->Update();
        Renderer::Present();
        TextRenderer::AddText(GetLevelName(), 0.0f, 0.78f, 0.06f, {1.0f, 1.0f, 1.0f}, true);
        for (const auto& player : players) {
            const glm::vec2 at = player->GetComponent<fb::cmp::Transform>()->GetPosition();
            TextRenderer::AddTextWorld(player->GetName(), at.x, at.y + 1.0f, 0.6f, {1.0f, 0.9f, 0.2f}, true);
        }
        TextRenderer::Flush();

        const std::vector<GLTestWindow::Pixel> pixels = window.ReadPixels();
        std::set<std::uint32_t> colours;
        for (const GLTestWindow::Pixel& pixel : pixels)
            colours.insert(pixel.r << 16 | pixel.g << 8 | pixel.b);
        EXPECT_GT(colours.size(), 500u) << "the picture is nearly blank";

        const fs::path file = fs::temp_directory_path() /
                              ("vendrabolt-" + fs::path(map).stem().string() + ".png");
        EXPECT_TRUE(SavePng(file, pixels, window.Width(), window.Height()));
        std::cout << "Saved " << file.string() << '\n';
    }
}

} // namespace
