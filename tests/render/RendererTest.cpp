#include "DrawingFixture.h"

#include "render/TextureManager.h"
#include "support/SavePng.h"

#include <GL/glew.h>
#include <SDL.h>
#include <filesystem>
#include <iostream>

namespace {

const GLTestWindow::Pixel kRed{255, 0, 0, 255};
const GLTestWindow::Pixel kGreen{0, 255, 0, 255};
const GLTestWindow::Pixel kBlue{0, 0, 255, 255};
const GLTestWindow::Pixel kWhite{255, 255, 255, 255};
const GLTestWindow::Pixel kGrey{128, 128, 128, 255};
const GLTestWindow::Pixel kBlack{0, 0, 0, 255};

const int kFull = ToneMapped(1.0f);

// Red on the left, green on the right; kept, like the game's own, for the
// whole run.
Texture gRedGreen("tests/data/render/red-green.png");

using RendererOrder = DrawingTest;

using RendererBackground = StartedRenderer;
using RendererFramebuffers = StartedRenderer;

TEST_F(RendererOrder, LowerLayersFirstAndOneLayerInSubmissionOrder)
{
    Renderer::SetBloomDisabled(true);
    Renderer::BeginFrame();
    Quad(Solid(kGreen), ScreenRect(0.0f, -1.0f, 1.0f, 1.0f), 3);
    Quad(Solid(kRed), ScreenRect(-1.0f, -1.0f, 1.0f, 1.0f), 2);
    Quad(Solid(kBlue), ScreenRect(-1.0f, -1.0f, 1.0f, 1.0f), 2);
    Renderer::Present();

    EXPECT_TRUE(Near(At(40, 60), 0, 0, kFull)) << "the later record of layer 2 covers the earlier";
    EXPECT_TRUE(Near(At(120, 60), 0, kFull, 0)) << "layer 3 covers layer 2 although it was queued first";
}

TEST_F(RendererOrder, TheBackgroundLiesUnderLayerZeroRecordsAndCoversTheScreen)
{
    Renderer::SetBloomDisabled(true);
    Renderer::SetBackground(Solid(kBlue));
    Renderer::BeginFrame();
    Quad(Solid(kRed), ScreenRect(-1.0f, -1.0f, 0.0f, 1.0f), 0);
    Renderer::Present();

    EXPECT_TRUE(Near(At(40, 60), kFull, 0, 0));
    EXPECT_TRUE(Near(At(120, 60), 0, 0, kFull));
    EXPECT_TRUE(Near(At(kWidth - 1, kHeight - 1), 0, 0, kFull));
    EXPECT_TRUE(Near(At(0, 0), kFull, 0, 0));
}

TEST_F(RendererOrder, BeginFrameEmptiesTheQueueButPresentDoesNot)
{
    Renderer::SetBloomDisabled(true);
    Renderer::BeginFrame();
    Quad(Solid(kRed), ScreenRect(-1.0f, -1.0f, 1.0f, 1.0f), 2);
    Renderer::Present();
    Renderer::Present();
    EXPECT_TRUE(Near(At(80, 60), kFull, 0, 0)) << "a second present draws the same queue";

    Renderer::BeginFrame();
    Renderer::Present();
    EXPECT_TRUE(Near(At(80, 60), 0, 0, 0));
}

using RendererDrawState = DrawingTest;

TEST_F(RendererDrawState, ARecordWithoutOpacityTextureOrCoordinatesTakesThoseOfTheRecordBefore)
{
    Texture halves("halves");
    halves.id = MakeTestTexture(2, 1, {kRed, kGreen});
    Renderer::SetBloomDisabled(true);
    Renderer::BeginFrame();

    Renderer::SetTexture(halves);
    Renderer::SetFlipped(true);
    Renderer::SetOpacity(0.5f);
    Renderer::SetTransform(ScreenRect(-1.0f, -1.0f, 0.0f, 1.0f));
    Renderer::Submit(2);

    Renderer::SetTransform(ScreenRect(0.0f, -1.0f, 1.0f, 1.0f));
    Renderer::Submit(2);
    Renderer::Present();

    const int half = ToneMapped(0.5f);
    // Mirrored: green on the left of each quad, red on the right.
    EXPECT_TRUE(Near(At(20, 60), 0, half, 0));
    EXPECT_TRUE(Near(At(60, 60), half, 0, 0));
    EXPECT_TRUE(Near(At(100, 60), 0, half, 0)) << "second record: same texture, coordinates and opacity";
    EXPECT_TRUE(Near(At(140, 60), half, 0, 0));
}

TEST_F(RendererDrawState, SubmitClearsTheFieldsItQueuedButKeepsTheTransform)
{
    Renderer::SetBloomDisabled(true);
    Renderer::BeginFrame();
    Renderer::SetTexture(Solid(kRed));
    Renderer::SetOpacity(1.0f);
    Renderer::SetTransform(ScreenRect(-1.0f, -1.0f, 0.0f, 1.0f));
    Renderer::Submit(2);
    // Only a texture: the transform of the record before still holds.
    Renderer::SetTexture(Solid(kBlue));
    Renderer::Submit(2);
    Renderer::Present();

    EXPECT_TRUE(Near(At(40, 60), 0, 0, kFull));
    EXPECT_TRUE(Near(At(120, 60), 0, 0, 0));
}

TEST_F(RendererDrawState, TexCoordsPickPartOfTheTextureAndNullPicksItsCorner)
{
    Texture halves("halves");
    halves.id = MakeTestTexture(2, 1, {kRed, kGreen});
    Renderer::SetBloomDisabled(true);
    Renderer::BeginFrame();
    const float rightHalf[8] = {0.5f, 1.0f, 1.0f, 1.0f, 0.5f, 0.0f, 1.0f, 0.0f};
    Renderer::SetTexCoords(rightHalf);
    Quad(halves, ScreenRect(-1.0f, -1.0f, 0.0f, 1.0f), 2);
    Renderer::SetTexCoords(nullptr);
    Quad(halves, ScreenRect(0.0f, -1.0f, 1.0f, 1.0f), 2);
    Renderer::Present();

    EXPECT_TRUE(Near(At(10, 60), 0, kFull, 0));
    EXPECT_TRUE(Near(At(70, 60), 0, kFull, 0));
    EXPECT_TRUE(Near(At(120, 60), kFull, 0, 0));
}

using RendererBloom = DrawingTest;

// The colour over the middle 40 by 40 pixels.
void CentreSquare(const Texture& texture, bool forceBloom)
{
    Renderer::SetBloom(forceBloom);
    Quad(texture, ScreenRect(-0.25f, -1.0f / 3.0f, 0.25f, 1.0f / 3.0f), 2);
}

// Four pixels right of the square's right edge.
constexpr int kBesideX = 104;

TEST_F(RendererBloom, OnlyColoursOverTheThresholdGlow)
{
    Renderer::BeginFrame();
    CentreSquare(Solid(kWhite), false);
    Renderer::Present();
    const GLTestWindow::Pixel beside = At(kBesideX, 60);
    EXPECT_GT(beside.r, 20) << "white is over the threshold and spills out of its square";
    EXPECT_GT(At(80, 60).r, kFull + 10) << "the glow brightens the square itself";
    EXPECT_TRUE(Near(At(5, 5), 0, 0, 0)) << "far from the square nothing glows";

    Renderer::BeginFrame();
    CentreSquare(Solid(kGrey), false);
    Renderer::Present();
    EXPECT_TRUE(Near(At(kBesideX, 60), 0, 0, 0)) << "mid grey is under the threshold";
    const int grey = ToneMapped(128.0f / 255.0f);
    EXPECT_TRUE(Near(At(80, 60), grey, grey, grey));
}

TEST_F(RendererBloom, AForcedRecordGlowsWhateverItsColour)
{
    Renderer::BeginFrame();
    CentreSquare(Solid(kGrey), true);
    Renderer::Present();
    EXPECT_GT(At(kBesideX, 60).r, 10);
}

TEST_F(RendererBloom, ARecordWithoutABloomFlagKeepsThePreviousOne)
{
    Renderer::BeginFrame();
    CentreSquare(Solid(kGrey), true);
    Quad(Solid(kGrey), ScreenRect(-1.0f, -1.0f, -0.5f, 1.0f), 2);
    Renderer::Present();
    EXPECT_GT(At(45, 60).r, 10) << "the left strip glows onto the black beside it";
}

TEST_F(RendererBloom, SwitchedOffItAddsNothing)
{
    Renderer::SetBloomDisabled(true);
    Renderer::BeginFrame();
    CentreSquare(Solid(kWhite), true);
    Renderer::Present();
    EXPECT_TRUE(Near(At(kBesideX, 60), 0, 0, 0));
    EXPECT_TRUE(Near(At(80, 60), kFull, kFull, kFull));

    Renderer::SetBloomDisabled(false);
    Renderer::BeginFrame();
    CentreSquare(Solid(kWhite), true);
    Renderer::Present();
    EXPECT_GT(At(kBesideX, 60).r, 20) << "switched on again, it glows";
}

TEST_F(RendererBloom, SwitchingItEmptiesTheQueue)
{
    Renderer::BeginFrame();
    CentreSquare(Solid(kWhite), false);
    Renderer::SetBloomDisabled(true);
    Renderer::Present();
    EXPECT_TRUE(Near(At(80, 60), 0, 0, 0));
}

TEST_F(RendererBackground, TheDefaultIsTheCheckerFromTheSecondFrameOn)
{
    CamManager::SetActiveCamera(std::make_shared<CamManager::Camera>());
    Renderer::SetBloomDisabled(true);

    Renderer::BeginFrame();
    Renderer::Present();
    EXPECT_TRUE(Near(window->ReadPixel(40, 90), 0, 0, 0)) << "loaded in the first frame, not drawn";

    Renderer::BeginFrame();
    Renderer::Present();
    const int magenta = ToneMapped(1.0f);
    const int grey = ToneMapped(25.0f / 255.0f);
    // The image's first row is the top of the screen.
    EXPECT_TRUE(Near(window->ReadPixel(40, 90), magenta, 0, magenta));
    EXPECT_TRUE(Near(window->ReadPixel(120, 90), grey, grey, grey));
    EXPECT_TRUE(Near(window->ReadPixel(40, 30), grey, grey, grey));
    EXPECT_TRUE(Near(window->ReadPixel(120, 30), magenta, 0, magenta));
}

TEST_F(RendererFramebuffers, FollowTheWindowThroughResizesAndF11)
{
    EXPECT_EQ(Renderer::GetFramebufferSize(), std::make_pair(160, 120));

    ASSERT_TRUE(window->ResizeAsUser(200, 100));
    EXPECT_EQ(Renderer::GetFramebufferSize(), std::make_pair(200, 100));

    SDL_DisplayMode desktop{};
    SDL_GetDesktopDisplayMode(0, &desktop);
    window->PushKeyUp(SDLK_F11);
    ASSERT_TRUE(window->UpdateUntilSize(desktop.w, desktop.h + 10));
    EXPECT_EQ(Renderer::GetFramebufferSize(), std::make_pair(desktop.w, desktop.h + 10));

    window->PushKeyUp(SDLK_F11);
    ASSERT_TRUE(window->UpdateUntilSize(1000, 600));
    EXPECT_EQ(Renderer::GetFramebufferSize(), std::make_pair(1000, 600));
}

TEST_F(RendererFramebuffers, TheQueueSurvivesAResizeAndFillsTheNewSize)
{
    CamManager::SetActiveCamera(std::make_shared<CamManager::Camera>());
    Renderer::SetBloomDisabled(true);
    Renderer::SetBackground(Solid(kBlack));
    Renderer::BeginFrame();
    Quad(Solid(kRed), ScreenRect(-1.0f, -1.0f, 1.0f, 1.0f), 2);

    ASSERT_TRUE(window->ResizeAsUser(240, 180));
    Renderer::Present();
    EXPECT_TRUE(Near(window->ReadPixel(239, 179), kFull, 0, 0));
    EXPECT_TRUE(Near(window->ReadPixel(0, 0), kFull, 0, 0));

    // Wider than the driver's largest texture: framebuffers of that width,
    // which still make a picture.
    GLint largest = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
    ASSERT_TRUE(window->ResizeAsUser(largest + 64, 60));
    EXPECT_EQ(Renderer::GetFramebufferSize(), std::make_pair(static_cast<int>(largest), 60));
    Renderer::Present();
    EXPECT_TRUE(Near(window->ReadPixel(0, 0), kFull, 0, 0));
    EXPECT_TRUE(Near(window->ReadPixel(200, 59), kFull, 0, 0));
}

TEST(RendererTextures, AGlobalTextureDrawsItsPictureInTheNextWindow)
{
    const auto drawGlobal = [](GLTestWindow& window) {
        Renderer::Initialize();
        CamManager::SetActiveCamera(std::make_shared<CamManager::Camera>());
        Renderer::SetBloomDisabled(true);
        Renderer::SetBackground(Solid(kBlack));
        // Textures of the new context, made first, take the lowest names.
        const Texture blue = Solid(kBlue);
        Renderer::BeginFrame();
        TextureManager::Get(gRedGreen);
        Quad(gRedGreen, ScreenRect(-1.0f, -1.0f, 1.0f, 1.0f), 2);
        Renderer::Present();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        std::vector<GLTestWindow::Pixel> picture = window.ReadPixels();
        EXPECT_TRUE(Near(window.ReadPixel(10, 60), kFull, 0, 0)) << "the left half is not the image's red";
        EXPECT_TRUE(Near(window.ReadPixel(150, 60), 0, kFull, 0)) << "the right half is not the image's green";
        Renderer::Shutdown();
        return picture;
    };

    unsigned firstId = 0;
    {
        GLTestWindow first(160, 120);
        drawGlobal(first);
        firstId = gRedGreen.id;
    }
    GLTestWindow second(160, 120);
    const std::vector<GLTestWindow::Pixel> picture = drawGlobal(second);
    EXPECT_TRUE(TextureManager::IsLoaded(gRedGreen));
    EXPECT_EQ(TextureManager::NameOf(gRedGreen.id), gRedGreen.name)
        << "texture " << gRedGreen.id << " (first window's " << firstId << ") is not the image of this window";

    const std::filesystem::path file = std::filesystem::temp_directory_path() / "vendrabolt-global-texture.png";
    EXPECT_TRUE(SavePng(file, picture, second.Width(), second.Height()));
    std::cout << "Saved " << file.string() << '\n';
}

} // namespace
