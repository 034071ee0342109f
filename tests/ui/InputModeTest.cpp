#include "MenuRig.h"

#include "render/Renderer.h"
#include "render/TextRenderer.h"

#include <GL/glew.h>
#include <algorithm>

namespace {

// Frames that also draw the text queue, so that the switch note can be seen.
class InputModeTest : public MenuRig {
protected:
    void SetUp() override
    {
        MenuRig::SetUp();
        Renderer::Initialize();
        TextRenderer::Initialize();
        pad = std::make_unique<VirtualPad>();
        StartInMouseMode();
        // Let the note of any switch before this test run out.
        Frames(125);
    }

    void TearDown() override
    {
        pad.reset();
        Renderer::Shutdown();
        MenuRig::TearDown();
    }

    void Frames(int count)
    {
        for (int i = 0; i < count; ++i) {
            Frame();
            TextRenderer::Flush();
        }
    }

    // One frame; returns how wide, in pixels, the orange switch note is
    // drawn in the bottom left corner (0 when there is none).
    int FrameNoteWidth()
    {
        Frame();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        TextRenderer::Flush();
        const std::vector<GLTestWindow::Pixel> pixels = window->ReadPixels();
        int left = kWidth;
        int right = -1;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const GLTestWindow::Pixel& p = pixels[static_cast<std::size_t>(y) * kWidth + x];
                if (p.r > 120 && p.g < p.r / 2 && p.b < 40) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            }
        }
        return right < left ? 0 : right - left + 1;
    }

    std::unique_ptr<VirtualPad> pad;
};

TEST_F(InputModeTest, APadTouchWithTheMouseAtRestSwitchesAndSaysSoForTwoSeconds)
{
    Frames(30);
    EXPECT_TRUE(IsMouseMode()) << "a pad that nobody touches changes nothing";
    EXPECT_EQ(FrameNoteWidth(), 0) << "no note without a switch";
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);

    pad->Press(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(FrameNoteWidth(), 0);
    EXPECT_TRUE(IsMouseMode());
    pad->Release(SDL_CONTROLLER_BUTTON_A);
    const int controllerNote = FrameNoteWidth();
    EXPECT_FALSE(IsMouseMode());
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    EXPECT_GT(controllerNote, 0);
    Frames(117);
    EXPECT_EQ(FrameNoteWidth(), controllerNote) << "still shown just before 2 s";
    Frames(2);
    EXPECT_EQ(FrameNoteWidth(), 0) << "gone after 2 s";
    EXPECT_FALSE(IsMouseMode());

    // One pixel of mouse movement is enough to switch back.
    mouse.MoveTo(3, 2);
    const int mouseNote = FrameNoteWidth();
    EXPECT_TRUE(IsMouseMode());
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    EXPECT_GT(mouseNote, 0);
    EXPECT_LT(mouseNote, controllerNote) << "\"Mouse Mode On\" is the shorter note";

    // A second switch within the 2 s shows the note of the new mode.
    pad->SetStick(-1.0f, 0.0f);
    EXPECT_EQ(FrameNoteWidth(), controllerNote);
    EXPECT_FALSE(IsMouseMode());
}

TEST_F(InputModeTest, TheStickLatchAndWhatKeepsOrEndsPadMode)
{
    pad->SetStick(1.0f, 0.0f);
    Frame();
    ASSERT_FALSE(IsMouseMode());
    EXPECT_EQ(MenuNavDirection, Direction::Right);
    EXPECT_TRUE(MenuNavDirectionChanged);
    Frame();
    EXPECT_FALSE(MenuNavDirectionChanged) << "held, the stick is not new";
    Frame();
    EXPECT_FALSE(MenuNavDirectionChanged);
    pad->SetStick(0.0f, 0.0f);
    Frame();
    EXPECT_EQ(MenuNavDirection, Direction::None);
    EXPECT_TRUE(MenuNavDirectionChanged);
    Frame();
    EXPECT_FALSE(MenuNavDirectionChanged);

    // A held left mouse button keeps mouse mode, whatever the pad does.
    mouse.MoveTo(40, 40);
    mouse.PressLeft();
    Frame();
    pad->SetStick(0.0f, 1.0f);
    Frame(3);
    EXPECT_TRUE(IsMouseMode());
    EXPECT_EQ(MenuNavDirection, Direction::None) << "the latch rests in mouse mode";
    mouse.ReleaseLeft();
    Frame();
    EXPECT_FALSE(IsMouseMode());
    EXPECT_EQ(MenuNavDirection, Direction::Up);
    // So is a click that comes and goes between two frames.
    mouse.PressLeft();
    mouse.ReleaseLeft();
    Frame();
    EXPECT_TRUE(IsMouseMode());

    pad->Unplug();
    Frame();
    EXPECT_TRUE(IsMouseMode()) << "no pad, no pad mode";
}

} // namespace
