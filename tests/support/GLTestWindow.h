#pragma once

#include "core/Window.h"

#include <SDL.h>
#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

// A real game window with its OpenGL context, shrunk to a small windowed
// size and made the current window, for tests that draw and read the
// picture back. OpenGL's entry points are loaded, so textures can be made
// at once. Needs an X display (Xvfb with SDL's x11 driver).
class GLTestWindow {
public:
    struct Pixel {
        std::uint8_t r = 0;
        std::uint8_t g = 0;
        std::uint8_t b = 0;
        std::uint8_t a = 0;
        bool operator==(const Pixel&) const = default;
    };

    // Throws std::runtime_error when SDL cannot make the window.
    explicit GLTestWindow(int width = 160, int height = 120);
    ~GLTestWindow();
    GLTestWindow(const GLTestWindow&) = delete;
    GLTestWindow& operator=(const GLTestWindow&) = delete;

    Window& GetWindow() { return *mWindow; }
    int Width() const { return mWindow->GetSize().first; }
    int Height() const { return mWindow->GetSize().second; }

    // Resizes the window on the X server, as a user dragging its border
    // would, and runs the window's Update until it has heard of the new size
    // (for at most 2000 updates). False, with a failure, if it never did.
    bool ResizeAsUser(int width, int height);
    // Runs the window's Update (events, swap) until it reports that size,
    // for at most 2000 updates; false, with a failure, if it never did.
    bool UpdateUntilSize(int width, int height);
    // Queues the release of a key for the window's next Update (F11 toggles
    // full screen on release).
    void PushKeyUp(SDL_Keycode key);

    // Pixels of the default framebuffer's back buffer, counted from the
    // bottom left. Read them before the window's next Update swaps it away.
    Pixel ReadPixel(int x, int y) const;
    // All of them, row 0 at the bottom.
    std::vector<Pixel> ReadPixels() const;

private:
    std::unique_ptr<Window> mWindow;
};

std::ostream& operator<<(std::ostream& out, const GLTestWindow::Pixel& pixel);

// An RGBA texture of the given pixels, rows from the top of the image, with
// nearest filtering so that every texel stays sharp when stretched.
unsigned MakeTestTexture(int width, int height, const std::vector<GLTestWindow::Pixel>& pixels);
