// A match on a real window, drawn as the game draws it, at four moments:
// the start countdown, a random event's banner, a slime meteor in flight
// and the winner's end menu. The pictures are saved into the temporary
// folder for a person to look at.

#include "game/MatchWorld.h"

#include "core/Transform.h"
#include "game/RandomEvents.h"
#include "game/SlimeMeteor.h"
#include "game/SlimeUI.h"
#include "render/DebugShapes.h"
#include "render/TextRenderer.h"
#include "support/SavePng.h"

#include <cmath>
#include <iostream>

namespace {

class MatchScreenshotTest : public MatchWorld {
protected:
    MatchScreenshotTest()
    {
        windowWidth = 640;
        windowHeight = 360;
    }

    void SetUp() override
    {
        MatchWorld::SetUp();
        Renderer::Initialize();
        TextRenderer::Initialize();
        Render::Initialize();
    }

    void TearDown() override
    {
        MatchWorld::TearDown();
        Render::Shutdown();
        Renderer::Shutdown();
    }

    // One frame, and its picture read back before the next one starts.
    std::vector<GLTestWindow::Pixel> DrawnFrame()
    {
        Frame();
        return window->ReadPixels();
    }

    void Save(const std::vector<GLTestWindow::Pixel>& picture, const std::string& name)
    {
        const std::filesystem::path file = std::filesystem::temp_directory_path() / name;
        EXPECT_TRUE(SavePng(file, picture, window->Width(), window->Height()));
        std::cout << "Saved " << file.string() << '\n';
    }

    // How many pixels differ between two pictures.
    static int Changed(const std::vector<GLTestWindow::Pixel>& a, const std::vector<GLTestWindow::Pixel>& b)
    {
        int changed = 0;
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
            changed += a[i] == b[i] ? 0 : 1;
        return changed;
    }

    // The map's middle is on screen and the view is no more than twice the
    // map's size.
    static void ExpectTheLevelInView(const std::string& when)
    {
        const glm::vec3 middle = CamManager::GetViewMatrix() * glm::vec3(0.0f, 0.0f, 1.0f);
        EXPECT_LT(std::abs(middle.x), 1.0f) << when;
        EXPECT_LT(std::abs(middle.y), 1.0f) << when;
        EXPECT_LT(gGameplayCamera->GetScale().y, 2.0f * static_cast<float>(GetLevelSize().second)) << when;
    }
};

TEST_F(MatchScreenshotTest, CountdownBannerMeteorAndTheWinnersMenu)
{
    // Tenth-of-a-second frames: fewer pictures to draw on the way.
    Time::SetDt(0.1f);
    PlugIn(4);
    EnterMatch("assets/levels/red_mesa.json");
    Frames(12);
    const std::vector<GLTestWindow::Pixel> countdown = DrawnFrame();
    Save(countdown, "vendrabolt-match-countdown.png");
    RunCountdown();

    gRandomEventTimer = 0.0f;
    Frames(5);
    ASSERT_FALSE(gRandomEventTitle.empty());
    const std::vector<GLTestWindow::Pixel> banner = DrawnFrame();
    Save(banner, "vendrabolt-match-banner.png");

    const std::vector<LevelArea> areas = GetRandomEventPoints();
    ASSERT_FALSE(areas.empty());
    StartSlimepocalypse(areas.front());
    Frames(25);
    const std::vector<GLTestWindow::Pixel> meteor = DrawnFrame();
    Save(meteor, "vendrabolt-match-meteor.png");

    SlimeUI::SetWinningPlayer(2);
    Frames(15);
    const std::vector<GLTestWindow::Pixel> announcement = DrawnFrame();
    Save(announcement, "vendrabolt-match-winner.png");
    Frames(60);
    const std::vector<GLTestWindow::Pixel> endMenu = DrawnFrame();
    Save(endMenu, "vendrabolt-match-end-menu.png");

    // Each moment shows something of its own.
    EXPECT_GT(Changed(countdown, banner), 1000);
    EXPECT_GT(Changed(banner, meteor), 1000);
    EXPECT_GT(Changed(announcement, endMenu), 1000);
}

// A player's scale typed as 1e30 in the editor throws its body far out of
// the map now and then, and the camera goes after it; the Restart after it
// shows the map again, whatever was left of the camera.
TEST_F(MatchScreenshotTest, ARestartAfterAGiantPlayerShowsTheLevelAgain)
{
    Time::SetDt(0.1f);
    PlugIn(1);
    EnterMatch("assets/levels/tutorial.json");
    RunCountdown();
    auto body = GetPlayer(0)->GetEntity()->GetComponent<fb::cmp::Transform>();
    body->SetScale(1e30f, 1.5f);
    Frames(20);
    Save(DrawnFrame(), "vendrabolt-match-giant-player.png");
    body->SetScale(1.5f, 1.5f);

    gGameplayCamera->SetPosition({-1e29f, 0.0f});
    gGameplayCamera->SetScale({1e29f, 1e29f});
    Match()->ReloadLevel(GetLevelPath()); // the pause menu's Restart
    Frames(5);
    ExpectTheLevelInView("restarted");
    Save(DrawnFrame(), "vendrabolt-match-restart-after-giant.png");
}

} // namespace
