#pragma once

#include <SDL.h>
#include <string>
#include <utility>

// The one SDL window with its OpenGL context. It starts desktop-sized; F11
// toggles between that and a centred 1000 by 600 window. In both modes the
// viewport and the renderer's framebuffers follow the window's real size,
// whoever sized it.
class Window {
public:
    Window(std::string title, int width, int height, int x, int y);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Renders the developer UI, pumps SDL events, follows resizes and F11,
    // swaps the buffers and becomes the current window.
    void Update();

    // False when SDL could not make the window or its OpenGL context.
    bool IsValid() const { return mWindow && mContext; }
    std::pair<int, int> GetSize() const { return {mWidth, mHeight}; }
    SDL_Window* GetSDLWindow() const { return mWindow; }
    SDL_GLContext GetContext() const { return mContext; }
    bool IsFullScreen() const { return mFullScreen; }

    static bool WasResized();

private:
    void ApplySize(int width, int height);
    // ApplySize, unless the window is that size already.
    void FollowSize(int width, int height);
    // Resizes the window itself to the desktop's width and its height plus
    // ten, centred, and remembers that width.
    void MakeDesktopSized();
    void ToggleFullScreen();

    SDL_Window* mWindow = nullptr;
    SDL_GLContext mContext = nullptr;
    int mWidth;
    int mHeight;
    bool mFullScreen = true;
    // The desktop width the window was last made desktop-sized for.
    int mDesktopWidth = 0;
};

Window* GetWindow();
// The current window's size, or (0, 0) before the first Window::Update.
std::pair<int, int> GetWindowSize();
