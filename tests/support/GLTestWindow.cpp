#include "GLTestWindow.h"

#include "XWindowResize.h"
#include "render/GLSupport.h"

#include <GL/glew.h>
#include <SDL.h>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

GLTestWindow::GLTestWindow(int width, int height)
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(std::string("SDL video did not start: ") + SDL_GetError());
    mWindow = std::make_unique<Window>("Vendrabolt test", width, height, 0, 0);
    if (!mWindow->IsValid())
        throw std::runtime_error(std::string("No test window: ") + SDL_GetError());

    // The window starts desktop-sized in full screen: leave full screen as
    // F11 does, then resize it as a user would and wait for the window to
    // hear of it.
    PushKeyUp(SDLK_F11);
    mWindow->Update();
    if (!ResizeAsUser(width, height) || ::GetWindow() != mWindow.get())
        throw std::runtime_error("The test window did not take its size");
    StartGlew("Test window");
}

GLTestWindow::~GLTestWindow()
{
    mWindow.reset();
    SDL_Quit();
}

bool GLTestWindow::ResizeAsUser(int width, int height)
{
    return ResizeXWindow(mWindow->GetSDLWindow(), width, height) && UpdateUntilSize(width, height);
}

bool GLTestWindow::UpdateUntilSize(int width, int height)
{
    const std::pair<int, int> wanted(width, height);
    for (int updates = 0; updates < 2000 && mWindow->GetSize() != wanted; ++updates) {
        SDL_Delay(5);
        mWindow->Update();
    }
    if (mWindow->GetSize() == wanted)
        return true;
    ADD_FAILURE() << "the window never heard of the size " << width << " by " << height << " in 2000 updates";
    return false;
}

void GLTestWindow::PushKeyUp(SDL_Keycode key)
{
    SDL_Event event{};
    event.type = SDL_KEYUP;
    event.key.windowID = SDL_GetWindowID(mWindow->GetSDLWindow());
    event.key.keysym.sym = key;
    SDL_PushEvent(&event);
}

GLTestWindow::Pixel GLTestWindow::ReadPixel(int x, int y) const
{
    Pixel pixel;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &pixel);
    return pixel;
}

std::vector<GLTestWindow::Pixel> GLTestWindow::ReadPixels() const
{
    const auto [width, height] = mWindow->GetSize();
    std::vector<Pixel> pixels(static_cast<std::size_t>(width) * height);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

std::ostream& operator<<(std::ostream& out, const GLTestWindow::Pixel& pixel)
{
    return out << "(" << int(pixel.r) << ", " << int(pixel.g) << ", " << int(pixel.b) << ", " << int(pixel.a) << ")";
}

unsigned MakeTestTexture(int width, int height, const std::vector<GLTestWindow::Pixel>& pixels)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}
