// Draws every level of the game as the match would show it at its start
// (background, tiles, the players at their spawn points, the level's name)
// and saves one PNG per level into the temporary folder, for a person to
// look at. Run it with: xvfb-run -a build/tests/screenshot_tests

#include "LevelScene.h"
#include "render/CamManager.h"
#include "render/TextRenderer.h"

#include <gtest/gtest.h>
#include <set>

namespace {

using namespace level_scene;

constexpr int kWidth = 640;
constexpr int kHeight = 360;

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
    Renderer::Shutdown();
}

} // namespace
