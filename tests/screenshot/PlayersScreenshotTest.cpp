// Four players built from their archetypes, standing at the spawn points of
// the tutorial level, drawn as the match draws them. The picture is saved
// into the temporary folder for a person to look at.

#include "core/EntityManager.h"
#include "core/Input.h"
#include "core/Time.h"
#include "core/Transform.h"
#include "game/AISpawner.h"
#include "game/CharacterGlobals.h"
#include "game/GoalZones.h"
#include "game/Players.h"
#include "level/Level.h"
#include "level/LevelBuilder.h"
#include "physics/ColliderPool.h"
#include "render/CamManager.h"
#include "render/Renderer.h"
#include "support/GLTestWindow.h"
#include "support/SavePng.h"
#include "support/VirtualPad.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 360;

std::vector<GLTestWindow::Pixel> DrawFrame(GLTestWindow& window)
{
    Renderer::BeginFrame();
    DrawLevelTiles();
    EntityManager::Update();
    CamManager::Update(Time::GetScaledDt());
    Renderer::Present();
    return window.ReadPixels();
}

// How many pixels of the square around a world point differ between two
// pictures of the whole level.
int ChangedAround(const std::vector<GLTestWindow::Pixel>& a, const std::vector<GLTestWindow::Pixel>& b,
                  glm::vec2 at, glm::vec2 levelSize)
{
    const int cx = static_cast<int>((at.x / levelSize.x + 0.5f) * kWidth);
    const int cy = static_cast<int>((at.y / levelSize.y + 0.5f) * kHeight);
    int changed = 0;
    for (int y = cy - 6; y <= cy + 6; ++y) {
        for (int x = cx - 6; x <= cx + 6; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * kWidth + static_cast<std::size_t>(x);
            changed += a[i] == b[i] ? 0 : 1;
        }
    }
    return changed;
}

TEST(PlayersScreenshot, FourPlayersStandOnTheTutorialLevel)
{
    GLTestWindow window(kWidth, kHeight);
    Renderer::Initialize();
    InitBoxColliders();
    EntityManager::Init();
    Time::Init();
    Time::SetDt(1.0f / 60.0f);
    GoalZones::ResetGlobals();
    UnloadLevel();
    UnloadTileset();
    AISpawner::LoadFile("./assets/json/aitest.json");
    ASSERT_NO_THROW(LoadLevel("./assets/levels/tutorial.json"));
    BuildLevel();
    ASSERT_TRUE(LoadCharacterGlobals("characterGlobalsDefault.json"));
    const glm::vec2 levelSize(static_cast<float>(GetLevelSize().first), static_cast<float>(GetLevelSize().second));
    auto camera = std::make_shared<CamManager::Camera>();
    camera->SetScale(levelSize);
    CamManager::SetActiveCamera(camera);
    Renderer::SetBackground(GetLevelBackground());
    const std::vector<GLTestWindow::Pixel> empty = DrawFrame(window);

    auto pads = PlugInPads(4);
    Input::Init();
    CreatePlayers();
    ASSERT_EQ(GetPlayerCount(), 4);
    const std::vector<LevelArea> spawns = GetSpawnPoints();
    ASSERT_GE(spawns.size(), 4u);
    for (int i = 0; i < 4; ++i)
        PlacePlayer(i, spawns[static_cast<std::size_t>(i)].x, spawns[static_cast<std::size_t>(i)].y);
    ActivatePlayers();
    std::vector<GLTestWindow::Pixel> picture;
    for (int frame = 0; frame < 10; ++frame) {
        picture = DrawFrame(window);
        Input::Update();
    }

    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        const glm::vec2 at = GetPlayer(i)->GetEntity()->GetComponent<fb::cmp::Transform>()->GetPosition();
        EXPECT_NEAR(at.x, spawns[static_cast<std::size_t>(i)].x, 1e-4f);
        EXPECT_GT(ChangedAround(empty, picture, at, levelSize), 40) << "player " << i << " is not drawn";
    }

    const std::filesystem::path file = std::filesystem::temp_directory_path() / "vendrabolt-four-players.png";
    EXPECT_TRUE(SavePng(file, picture, kWidth, kHeight));
    std::cout << "Saved " << file.string() << '\n';

    DestroyPlayers();
    Input::Shutdown();
    GoalZones::Shutdown();
    EntityManager::Clear();
    pads.clear();
    UnloadLevel();
    UnloadTileset();
    ShutdownBoxColliders();
    Renderer::Shutdown();
}

} // namespace
