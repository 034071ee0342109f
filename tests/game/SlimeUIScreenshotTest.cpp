#include "CharacterTestRig.h"
#include "game/SlimeUI.h"
#include "support/SavePng.h"

#include <filesystem>
#include <glm/gtx/string_cast.hpp>
#include <iostream>

namespace {

// The slime display drawn by the real renderer: player 0's box with its
// level on the left, its magazine with three carried slimes on the right.
// The camera shows 16 by 12 units; the picture is saved into the temporary folder for a person to look at.
class SlimeUIScreenshotTest : public CharacterWorld {
protected:
    static constexpr glm::vec2 kMagazine{5.0f, 2.0f};
    static constexpr float kMagazineHeight = 14.0f;

    void SetUp() override
    {
        CharacterWorld::SetUp();
        Renderer::Initialize();
        auto camera = std::make_shared<CamManager::Camera>(glm::vec2(0.0f, 0.0f), 0.0f, 16.0f, 12.0f);
        camera->SetFollow(false);
        CamManager::SetActiveCamera(camera);
        StartPlayers(1, {0.0f});
        SlimeUI::Initialize();
        SlimeUI::SetSlimeboxPosition(-4.0f, 0.0f, 0);
        SlimeUI::SetSlimeboxScale({3.0f, 4.0f}, 0);
        SlimeUI::SetMagazinePosition(kMagazine.x, kMagazine.y, 0);
        SlimeUI::SetMagazineScale({2.5f, kMagazineHeight}, 0);
        SlimeUI::Update(false);
        SlimeUI::Update(true);
    }

    void TearDown() override
    {
        Renderer::Shutdown();
        CharacterWorld::TearDown();
    }

    std::vector<GLTestWindow::Pixel> Draw()
    {
        Renderer::BeginFrame();
        EntityManager::Update();
        CamManager::Update(Time::GetScaledDt());
        SlimeUI::Update(true);
        SlimeUI::Draw();
        Renderer::Present();
        return window->ReadPixels();
    }


    // The mean colour of the 5 by 5 pixels around a point of the display.
    glm::vec3 Mean(const std::vector<GLTestWindow::Pixel>& picture, glm::vec2 display) const
    {
        const glm::vec3 ndc = CamManager::GetWorld2NDC() * Sprite::ScreenTransform() * glm::vec3(display, 1.0f);
        const int cx = static_cast<int>((ndc.x * 0.5f + 0.5f) * static_cast<float>(window->Width()));
        const int cy = static_cast<int>((ndc.y * 0.5f + 0.5f) * static_cast<float>(window->Height()));
        glm::vec3 sum(0.0f);
        for (int y = cy - 2; y <= cy + 2; ++y) {
            for (int x = cx - 2; x <= cx + 2; ++x) {
                const GLTestWindow::Pixel p = picture.at(static_cast<std::size_t>(y * window->Width() + x));
                sum += glm::vec3(p.r, p.g, p.b);
            }
        }
        return sum / 25.0f;
    }

    static bool Near(glm::vec3 a, glm::vec3 b)
    {
        const glm::vec3 d = glm::abs(a - b);
        return d.x + d.y + d.z < 30.0f;
    }

    void Save(const std::vector<GLTestWindow::Pixel>& picture, const std::string& name) const
    {
        const std::filesystem::path file = std::filesystem::temp_directory_path() / name;
        EXPECT_TRUE(SavePng(file, picture, window->Width(), window->Height()));
        std::cout << "Saved " << file.string() << '\n';
    }
};

TEST_F(SlimeUIScreenshotTest, TheBoxLevelAndCarriedSlimeShowInTheirPlaces)
{
    // The magazine shows from the second frame on.
    Draw();
    const std::vector<GLTestWindow::Pixel> empty = Draw();

    Player(0)->AddSlime(1);
    Player(0)->AddSlime(1);
    Player(0)->AddSlime(1);
    for (int i = 0; i < 10; ++i)
        SlimeUI::UpdatePlayer(1, 0);
    // Past the box's pulse and the level's rise.
    std::vector<GLTestWindow::Pixel> normals;
    for (int frame = 0; frame < 90; ++frame)
        normals = Draw();
    // The same three slimes, the middle one golden, in the order picked up.
    Player(0)->GetSlimeStack() = {1, 5, 1};
    const std::vector<GLTestWindow::Pixel> picture = Draw();
    Save(picture, "vendrabolt-slime-display.png");

    // The level fills the lower half of the box.
    EXPECT_FALSE(Near(Mean(picture, {-4.0f, -1.2f}), Mean(empty, {-4.0f, -1.2f})));
    EXPECT_TRUE(Near(Mean(picture, {-4.0f, 1.6f}), Mean(empty, {-4.0f, 1.6f})));
    // The icons: a fifth of the magazine's height apart upward from its
    // height / 1.71 below its centre, the oldest lowest.
    const float base = kMagazine.y - kMagazineHeight / 1.71f;
    const float spacing = kMagazineHeight / 5.0f;
    const glm::vec2 first(kMagazine.x, base + spacing);
    const glm::vec2 second(kMagazine.x, base + 2.0f * spacing);
    const glm::vec2 third(kMagazine.x, base + 3.0f * spacing);
    for (glm::vec2 icon : {first, second, third})
        EXPECT_FALSE(Near(Mean(picture, icon), Mean(empty, icon))) << glm::to_string(icon);
    EXPECT_TRUE(Near(Mean(picture, first), Mean(normals, first)));
    EXPECT_FALSE(Near(Mean(picture, second), Mean(normals, second)))
        << glm::to_string(Mean(picture, second)) << " and " << glm::to_string(Mean(normals, second));
    EXPECT_TRUE(Near(Mean(picture, third), Mean(normals, third)));
    // Nothing above the third slime.
    const glm::vec2 above(kMagazine.x, base + 4.0f * spacing);
    EXPECT_TRUE(Near(Mean(picture, above), Mean(empty, above)));
}

} // namespace
