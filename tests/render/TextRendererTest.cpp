#include "DrawingFixture.h"

#include "render/TextRenderer.h"

#include <algorithm>
#include <climits>

namespace {

// The lit pixels' bounding box, in pixels from the bottom left.
struct Box {
    int left = INT_MAX;
    int bottom = INT_MAX;
    int right = INT_MIN;
    int top = INT_MIN;
    bool Empty() const { return left > right; }
    int Width() const { return right - left + 1; }
    int Height() const { return top - bottom + 1; }
    float CentreX() const { return (left + right) / 2.0f; }
};

class TextTest : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        TextRenderer::Initialize();
    }

    // Draws a frame of the queued texts over a black scene and boxes them.
    Box Draw()
    {
        Renderer::BeginFrame();
        Renderer::Present();
        TextRenderer::Flush();
        Box box;
        const std::vector<GLTestWindow::Pixel> pixels = window->ReadPixels();
        for (int y = 0; y < window->Height(); ++y) {
            for (int x = 0; x < window->Width(); ++x) {
                const GLTestWindow::Pixel& pixel = pixels[static_cast<std::size_t>(y) * window->Width() + x];
                if (std::max({pixel.r, pixel.g, pixel.b}) > 100) {
                    box.left = std::min(box.left, x);
                    box.right = std::max(box.right, x);
                    box.bottom = std::min(box.bottom, y);
                    box.top = std::max(box.top, y);
                }
            }
        }
        return box;
    }

    const glm::vec3 kWhite{1.0f, 1.0f, 1.0f};
};

TEST_F(TextTest, ScreenTextSitsOnItsBaselineAtItsPoint)
{
    // (-0.5, -0.5) on 160 by 120 is the pixel (40, 30).
    TextRenderer::AddText("H", -0.5f, -0.5f, 0.25f, kWhite, false);
    const Box box = Draw();
    ASSERT_FALSE(box.Empty());
    EXPECT_NEAR(box.bottom, 30, 1) << "H stands on the baseline";
    EXPECT_GE(box.left, 40);
    EXPECT_LE(box.left, 40 + box.Height() / 4) << "starts at the point, past its small bearing";
}

TEST_F(TextTest, ScaleIsRelativeToTheWindowWidth)
{
    TextRenderer::AddText("H", -0.9f, -0.9f, 0.2f, kWhite, false);
    const Box small = Draw();
    TextRenderer::AddText("H", -0.9f, -0.9f, 0.4f, kWhite, false);
    const Box large = Draw();
    ASSERT_FALSE(small.Empty());
    EXPECT_NEAR(large.Height(), 2 * small.Height(), 2);
    EXPECT_NEAR(large.Width(), 2 * small.Width(), 2);
    // At scale s the 48-pixel glyphs are s times the window width tall;
    // a capital is about two thirds of that.
    EXPECT_NEAR(small.Height(), 0.2f * 160 * 0.67f, 3);
}

TEST_F(TextTest, RawTextIsPlacedAndScaledInPixels)
{
    TextRenderer::AddTextRaw("H", 20.0f, 50.0f, 0.5f, kWhite, false);
    const Box raw = Draw();
    // The same text through AddText: pixel scale 0.5 is 0.5 * 48 / 160.
    TextRenderer::AddText("H", 20.0f / 80.0f - 1.0f, 50.0f / 60.0f - 1.0f, 0.5f * 48.0f / 160.0f, kWhite, false);
    const Box screen = Draw();
    ASSERT_FALSE(raw.Empty());
    EXPECT_EQ(raw.bottom, 50);
    EXPECT_EQ(raw.left, screen.left);
    EXPECT_EQ(raw.Height(), screen.Height());
}

TEST_F(TextTest, CentredTextIsShiftedLeftByHalfItsAdvance)
{
    TextRenderer::AddText("HOH", 0.0f, 0.0f, 0.15f, kWhite, true);
    const Box box = Draw();
    ASSERT_FALSE(box.Empty());
    EXPECT_NEAR(box.CentreX(), 80.0f, 2.0f);
}

TEST_F(TextTest, CharactersWithoutAGlyphDrawNothingAndTakeNoRoom)
{
    TextRenderer::AddText("HH", -0.8f, 0.0f, 0.15f, kWhite, false);
    const Box plain = Draw();
    TextRenderer::AddText("H\xC3\xA9H", -0.8f, 0.0f, 0.15f, kWhite, false);
    const Box accented = Draw();
    EXPECT_EQ(accented.left, plain.left);
    EXPECT_EQ(accented.right, plain.right);
}

TEST_F(TextTest, TextHasItsColourAndTheQueueEmptiesOnFlush)
{
    TextRenderer::AddText("H", -0.5f, -0.5f, 0.25f, {1.0f, 0.0f, 0.0f}, false);
    const Box box = Draw();
    ASSERT_FALSE(box.Empty());
    const GLTestWindow::Pixel stem = At(box.left + 2, box.bottom + box.Height() / 4);
    EXPECT_EQ(stem.r, 255) << "drawn after the tone mapping, at full strength";
    EXPECT_EQ(stem.g, 0);
    EXPECT_EQ(stem.b, 0);
    EXPECT_TRUE(Draw().Empty());
}

TEST_F(TextTest, WorldTextGoesThroughTheCamera)
{
    // 8 by 6 units on the window: 20 pixels a unit.
    auto camera = std::make_shared<CamManager::Camera>(glm::vec2(10.0f, 5.0f), 0.0f, 6.0f, 6.0f);
    CamManager::SetActiveCamera(camera);
    TextRenderer::AddTextWorld("H", 8.0f, 4.0f, 1.0f, kWhite, false);
    const Box world = Draw();
    // The point is (40, 40) in pixels; the size 2 * 1 / 8 of the screen scale.
    TextRenderer::AddText("H", -0.5f, -1.0f / 3.0f, 0.25f, kWhite, false);
    const Box screen = Draw();
    ASSERT_FALSE(world.Empty());
    EXPECT_EQ(world.left, screen.left);
    EXPECT_EQ(world.bottom, screen.bottom);
    EXPECT_EQ(world.Height(), screen.Height());
    EXPECT_NEAR(world.bottom, 40, 1);

    camera->SetScale({12.0f, 12.0f});
    CamManager::Update(0.0f);
    TextRenderer::AddTextWorld("H", 10.0f, 5.0f, 1.0f, kWhite, false);
    const Box zoomedOut = Draw();
    EXPECT_NEAR(zoomedOut.Height(), world.Height() / 2, 2) << "a camera twice as wide halves world text";
}

TEST_F(TextTest, WorldTextOffTheScreenIsNotQueued)
{
    CamManager::SetActiveCamera(std::make_shared<CamManager::Camera>(glm::vec2(0.0f, 0.0f), 0.0f, 6.0f, 6.0f));
    TextRenderer::AddTextWorld("H", 4.5f, 0.0f, 1.0f, kWhite, false);
    TextRenderer::AddTextWorld("H", 0.0f, -3.5f, 1.0f, kWhite, false);
    EXPECT_TRUE(Draw().Empty());
}

} // namespace
