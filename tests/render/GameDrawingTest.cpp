#include "core/EntityManager.h"
#include "core/Game.h"
#include "core/StateManager.h"
#include "core/Transform.h"
#include "core/Window.h"
#include "render/DebugShapes.h"
#include "render/Renderer.h"
#include "render/Sprite.h"
#include "render/TextRenderer.h"
#include "support/GLTestWindow.h"
#include "support/StateStandIn.h"
#include "support/StillCamera.h"
#include "support/VirtualKeyboard.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

using Pixel = GLTestWindow::Pixel;

// The frame just shown. Mesa's software rasteriser copies the back buffer
// to the window on a swap and keeps it, so it can still be read there.
Pixel Shown(int x, int y)
{
    Pixel pixel;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &pixel);
    return pixel;
}

// Stands in for the intro. Its entity's sprite is queued during the entity
// update, its text and outline during its own update; each frame it looks
// at the frame before, then presses F11 and watches the framebuffers follow.
class DrawingIntro : public fb::GS {
public:
    explicit DrawingIntro(VirtualKeyboard& keyboard)
        : mKeyboard(keyboard)
    {
    }

    void Init() override
    {
        auto entity = std::make_shared<fb::Entity>("red square");
        entity->AddComponent(std::make_shared<fb::cmp::Transform>(glm::vec2(0.0f, 0.0f), glm::vec2(1.0f, 1.0f), 0.0f));
        entity->AddComponent(std::make_shared<Sprite>("tests/data/render/red.png", 1.0f, 2));
        EntityManager::Add(entity);
        keyboardAttached = mKeyboard.Attach(GetWindow()->GetSDLWindow());
    }

    void Update() override
    {
        ++frame;
        const auto [width, height] = GetWindowSize();
        if (frame == 3) {
            windowSize = {width, height};
            framebuffers = Renderer::GetFramebufferSize();
            centre = Shown(width / 2, height / 2);
            // The default camera is 2 units high: the red unit square is half
            // the window's height, the outline a quarter.
            outline = Shown(width / 2 - height / 8 + 2, height / 2 + 8);
            text = Shown(width / 2 - height / 4 + 3, height / 2 - height / 8 + 2);
            corner = Shown(2, height - 3);
            mKeyboard.Press(SDL_SCANCODE_F11);
            mKeyboard.Release(SDL_SCANCODE_F11);
        }
        if (frame == 6) {
            toggledSize = {width, height};
            toggledFramebuffers = Renderer::GetFramebufferSize();
            StateManager::Quit();
        }
        // A white text bar over the square's lower left, an outline around
        // its middle half.
        TextRenderer::AddText("IIIIIIII", -0.4f, -0.25f, 0.08f, {1.0f, 1.0f, 1.0f}, false);
        glm::mat3 half(1.0f);
        half[0][0] = 0.5f;
        half[1][1] = 0.5f;
        Render::SetTransform(half);
        Render::SetColor({0.0f, 1.0f, 0.0f});
        Render::DrawShape();
    }

    int frame = 0;
    bool keyboardAttached = false;
    std::pair<int, int> windowSize;
    std::pair<int, int> framebuffers;
    std::pair<int, int> toggledSize;
    std::pair<int, int> toggledFramebuffers;
    Pixel centre;
    Pixel outline;
    Pixel text;
    Pixel corner;

private:
    VirtualKeyboard& mKeyboard;
};

TEST(GameDrawing, AFrameDrawsSpritesThenTextThenOutlinesAndF11KeepsTheFramebuffersAtTheWindowSize)
{
    // A private X server: nothing else covers the window while it is read.
    VirtualKeyboard keyboard;
    ASSERT_TRUE(keyboard.IsRunning());
    DrawingIntro intro(keyboard);
    StateStandIn introName("IntroState", intro);
    // The camera a game starts with, whatever an earlier test looked through.
    UseStillCamera();
    ASSERT_EQ(RunGame(), 0);
    ASSERT_EQ(intro.frame, 6);
    ASSERT_TRUE(intro.keyboardAttached);

    EXPECT_EQ(intro.framebuffers, intro.windowSize);
    EXPECT_GT(intro.centre.r, 150) << "the sprite queued in the entity update is on the screen: " << intro.centre;
    EXPECT_LT(intro.centre.g, 80) << intro.centre;
    EXPECT_EQ(intro.outline, (Pixel{0, 255, 0, 255})) << "outlines over everything";
    EXPECT_GT(intro.text.g, 200) << "text over the sprite: " << intro.text;
    EXPECT_GT(intro.corner.r + intro.corner.g + intro.corner.b, 0) << "the default background fills the screen";

    EXPECT_EQ(intro.toggledSize, std::make_pair(1000, 600));
    EXPECT_EQ(intro.toggledFramebuffers, intro.toggledSize);
}

} // namespace
