#include "DrawingFixture.h"

#include "core/Entity.h"
#include "core/Time.h"
#include "render/ScreenspacePopupText.h"
#include "render/TextRenderer.h"

namespace {

class PopupDrawTest : public DrawingTest {
protected:
    void SetUp() override
    {
        DrawingTest::SetUp();
        TextRenderer::Initialize();
        Time::SetDt(1.0f / 60.0f);
    }

    struct Counts {
        int text = 0;
        int outline = 0;
    };

    // The text's green pixels and the black outline's pixels over the red
    // background after one frame of the pop-up.
    Counts DrawFrame(ScreenspacePopupText& popup)
    {
        Renderer::BeginFrame();
        popup.Update();
        Renderer::Present();
        TextRenderer::Flush();
        Counts counts;
        for (const GLTestWindow::Pixel& pixel : window->ReadPixels()) {
            if (pixel.g > 150 && pixel.r < 60)
                ++counts.text;
            if (pixel.g < 40 && pixel.r < 40)
                ++counts.outline;
        }
        return counts;
    }
};

TEST_F(PopupDrawTest, AScreenPopupIsDrawnInItsColourOverItsOutlineAndNotWhilePaused)
{
    Renderer::SetBackground(Solid({255, 0, 0, 255}));
    ScreenspacePopupText popup("FULL!", {0.0f, 1.0f, 0.0f}, 0.0f, 0.0f, 0.0f, true);
    const Counts outlined = DrawFrame(popup);
    EXPECT_GT(outlined.text, 20);
    EXPECT_GT(outlined.outline, 5);

    ScreenspacePopupText plain("FULL!", {0.0f, 1.0f, 0.0f}, 0.0f, 0.0f, 0.0f, false);
    const Counts bare = DrawFrame(plain);
    EXPECT_GT(bare.text, 20);
    EXPECT_EQ(bare.outline, 0);

    Time::SetTimeScale(0.0f);
    const Counts paused = DrawFrame(popup);
    Time::SetTimeScale(1.0f);
    EXPECT_EQ(paused.text, 0);
    EXPECT_EQ(paused.outline, 0);
}

} // namespace
