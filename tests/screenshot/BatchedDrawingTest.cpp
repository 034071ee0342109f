// The renderer draws runs of records in one call. These pictures must not
// change for it: each scene is drawn once through the batches and once a
// record at a time, with bloom on and off, and the two pictures must be the
// same to the last bit. The pictures are saved into the temporary folder.

#include "LevelScene.h"
#include "render/CamManager.h"
#include "render/TextRenderer.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>

namespace {

using namespace level_scene;
using Pixels = std::vector<GLTestWindow::Pixel>;

constexpr int kWidth = 640;
constexpr int kHeight = 360;

// A small fixed sequence, so that every run draws the same scene.
class Sequence {
public:
    float Next()
    {
        mState = mState * 1664525u + 1013904223u;
        return static_cast<float>(mState >> 8) / static_cast<float>(1u << 24);
    }
    int Below(int bound) { return static_cast<int>(Next() * static_cast<float>(bound)) % bound; }

private:
    std::uint32_t mState = 12345u;
};

// Overlapping sprites of four images in runs of varying length, over three
// layers queued out of order, with every draw-state field set, left unset
// (so it carries over from the record before) or changed within a run:
// opacities, mirrored and partial texture coordinates, forced and refused
// bloom, and a few mirrored quads (which the culling drops).
void QueueMixedScene()
{
    const Texture images[] = {TextureManager::Load("./assets/img/PlayerRed.png"),
                              TextureManager::Load("./assets/img/PlayerBlue.png"),
                              TextureManager::Load("assets/img/particles/slime_glow.png"),
                              TextureManager::Load("assets/img/particles/spark_yellow.png")};
    const float part[8] = {0.25f, 0.75f, 0.75f, 0.75f, 0.25f, 0.25f, 0.75f, 0.25f};
    Sequence random;
    int image = 0;
    for (int i = 0; i < 600; ++i) {
        if (random.Below(6) == 0)
            image = random.Below(4);
        const float size = 0.5f + 2.5f * random.Next();
        glm::mat3 model(1.0f);
        model[0][0] = random.Below(40) == 0 ? -size : size;
        model[1][1] = size;
        model[2] = glm::vec3(-9.0f + 18.0f * random.Next(), -5.0f + 10.0f * random.Next(), 1.0f);
        Renderer::SetTransform(model);
        if (random.Below(5) != 0)
            Renderer::SetTexture(images[image]);
        if (random.Below(3) != 0)
            Renderer::SetOpacity(0.2f + 0.8f * random.Next());
        switch (random.Below(5)) {
        case 0:
            Renderer::SetFlipped(true);
            break;
        case 1:
            Renderer::SetTexCoords(part);
            break;
        case 2:
            Renderer::SetFlipped(false);
            break;
        default:
            break;
        }
        const int bloom = random.Below(4);
        if (bloom < 2)
            Renderer::SetBloom(bloom == 0);
        Renderer::Submit(1 + random.Below(3));
    }
}

void UseCamera(float width, float height)
{
    auto camera = std::make_shared<CamManager::Camera>();
    camera->SetScale({width, height});
    CamManager::SetActiveCamera(camera);
}

Pixels Draw(GLTestWindow& window, const std::function<void()>& queue, bool batched)
{
    Renderer::SetBatching(batched);
    Renderer::BeginFrame();
    queue();
    Renderer::Present();
    return window.ReadPixels();
}

// How many pixels differ.
std::size_t Differences(const Pixels& a, const Pixels& b)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        count += a[i] == b[i] ? 0 : 1;
    return count;
}

// Draws the queue that `queue` makes both ways, with bloom on and off,
// compares and saves the pictures.
void ExpectSameBothWays(GLTestWindow& window, const std::string& name, const std::function<void()>& queue)
{
    for (bool bloom : {true, false}) {
        SCOPED_TRACE(name + (bloom ? " with bloom" : " without bloom"));
        Renderer::SetBloomDisabled(!bloom);
        // The first picture carries no state over from another scene.
        Draw(window, queue, false);
        const Pixels single = Draw(window, queue, false);
        const Pixels batched = Draw(window, queue, true);
        ASSERT_EQ(single.size(), batched.size());
        EXPECT_EQ(Differences(single, batched), 0u);
        const fs::path file =
            fs::temp_directory_path() / ("vendrabolt-batched-" + name + (bloom ? "-bloom" : "") + ".png");
        EXPECT_TRUE(SavePng(file, batched, window.Width(), window.Height()));
    }
}

TEST(BatchedDrawing, ScenesLookTheSameDrawnInBatchesAndOneRecordAtATime)
{
    GLTestWindow window(kWidth, kHeight);
    Renderer::Initialize();
    // As in the game: mirrored quads are culled.
    TextRenderer::Initialize();

    UseCamera(20.0f, 11.25f);
    Renderer::SetBackground(TextureManager::Load("./assets/img/Green/background.jpg"));
    ExpectSameBothWays(window, "mixed", QueueMixedScene);

    for (const std::string& map : GameMaps()) {
        UnloadLevel();
        UnloadTileset();
        ASSERT_NO_THROW(LoadLevel(map));
        const Level& level = CurrentLevel();
        UseCamera(static_cast<float>(level.width), static_cast<float>(level.height));
        Renderer::SetBackground(GetLevelBackground());
        const std::vector<std::shared_ptr<fb::Entity>> players = MakePlayers(level);
        ExpectSameBothWays(window, fs::path(map).stem().string(), [&level, &players] {
            QueueTiles(level);
            for (const auto& player : players)
                player->Update();
        });
    }
    Renderer::SetBatching(true);
    Renderer::Shutdown();
}

} // namespace
