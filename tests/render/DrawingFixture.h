#pragma once

#include "core/Time.h"
#include "render/CamManager.h"
#include "render/Renderer.h"
#include "render/Texture.h"
#include "support/GLTestWindow.h"
#include "support/StillCamera.h"

#include <cmath>
#include <gtest/gtest.h>
#include <memory>

// A 1 by 1 texture of the colour.
inline Texture Solid(GLTestWindow::Pixel colour)
{
    Texture texture("solid");
    texture.id = MakeTestTexture(1, 1, {colour});
    return texture;
}

// The model matrix that puts the unit quad on the rectangle given in NDC,
// whatever the camera does.
inline glm::mat3 ScreenRect(float left, float bottom, float right, float top)
{
    glm::mat3 rect(1.0f);
    rect[0][0] = right - left;
    rect[1][1] = top - bottom;
    rect[2] = glm::vec3((left + right) / 2.0f, (bottom + top) / 2.0f, 1.0f);
    return CamManager::GetInverseViewMatrix() * rect;
}

inline void Quad(const Texture& texture, const glm::mat3& model, int layer)
{
    Renderer::SetTexture(texture);
    Renderer::SetTransform(model);
    Renderer::SetOpacity(1.0f);
    Renderer::Submit(layer);
}

// A small window with the renderer started as the game starts it (the
// default background), and shut down after the test, so that nothing of this
// window, a background of its own say, is left for the next test to draw.
class StartedRenderer : public ::testing::Test {
protected:
    static constexpr int kWidth = 160;
    static constexpr int kHeight = 120;

    void SetUp() override
    {
        window = std::make_unique<GLTestWindow>(kWidth, kHeight);
        Renderer::Initialize();
    }

    void TearDown() override
    {
        Renderer::Shutdown();
        window.reset();
    }

    std::unique_ptr<GLTestWindow> window;
};

// The same with the frame clock started, a black background and the default
// camera fitted to the window.
class DrawingTest : public StartedRenderer {
protected:
    void SetUp() override
    {
        StartedRenderer::SetUp();
        Time::Init();
        UseStillCamera();
        Renderer::SetBackground(Solid({0, 0, 0, 255}));
    }

    GLTestWindow::Pixel At(int x, int y) const { return window->ReadPixel(x, y); }
};

// What the final pass shows for a scene channel value: exposure 1.0, gamma 1.2.
inline int ToneMapped(float value)
{
    return static_cast<int>(std::lround(255.0 * std::pow(1.0 - std::exp(-value), 1.0 / 1.2)));
}

inline ::testing::AssertionResult Near(const GLTestWindow::Pixel& pixel, int r, int g, int b, int tolerance = 2)
{
    if (std::abs(pixel.r - r) <= tolerance && std::abs(pixel.g - g) <= tolerance && std::abs(pixel.b - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel " << pixel << " is not near (" << r << ", " << g << ", " << b
                                         << ")";
}
