#include "core/Window.h"

#include "core/Input.h"
#include "core/Mouse.h"
#include "core/StateManager.h"
#include "core/Trace.h"
#include "render/Renderer.h"
#include "render/TextureManager.h"

#include <GL/glew.h>
#include <imgui.h>
#include <imgui_impl_opengl3.h>
#include <imgui_impl_sdl.h>
#include <iostream>

namespace {

constexpr int kWindowedWidth = 1000;
constexpr int kWindowedHeight = 600;
// The desktop-sized window is this much taller than the desktop.
constexpr int kDesktopExtraHeight = 10;

Window* gCurrentWindow = nullptr;
bool gResized = false;

SDL_DisplayMode DesktopMode()
{
    SDL_DisplayMode mode{};
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0) {
        mode.w = kWindowedWidth;
        mode.h = kWindowedHeight - kDesktopExtraHeight;
    }
    return mode;
}

} // namespace

Window::Window(std::string title, int width, int height, int, int)
    : mWidth(width)
    , mHeight(height)
{
    mWindow = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                               SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE);
    if (!mWindow) {
        Trace("Error on window creation", 4);
        std::cerr << "Could not create the window: " << SDL_GetError() << '\n';
        return;
    }
    mContext = SDL_GL_CreateContext(mWindow);
    if (!mContext) {
        Trace("Error on window creation", 4);
        std::cerr << "Could not create the OpenGL context: " << SDL_GetError() << '\n';
        return;
    }
    MakeDesktopSized();
}

Window::~Window()
{
    if (gCurrentWindow == this)
        gCurrentWindow = nullptr;
    if (mContext) {
        // The textures go with the context.
        TextureManager::Forget();
        SDL_GL_DeleteContext(mContext);
    }
}

void Window::ApplySize(int width, int height)
{
    mWidth = width;
    mHeight = height;
    glViewport(0, 0, width, height);
    Renderer::CreateFramebuffers(width, height);
    gResized = true;
}

void Window::FollowSize(int width, int height)
{
    if (width != mWidth || height != mHeight)
        ApplySize(width, height);
}

void Window::MakeDesktopSized()
{
    const SDL_DisplayMode desktop = DesktopMode();
    mDesktopWidth = desktop.w;
    SDL_RestoreWindow(mWindow);
    SDL_SetWindowSize(mWindow, desktop.w, desktop.h + kDesktopExtraHeight);
    SDL_SetWindowPosition(mWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    ApplySize(desktop.w, desktop.h + kDesktopExtraHeight);
}

void Window::ToggleFullScreen()
{
    if (mFullScreen) {
        SDL_RestoreWindow(mWindow);
        SDL_SetWindowSize(mWindow, kWindowedWidth, kWindowedHeight);
        SDL_SetWindowPosition(mWindow, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        ApplySize(kWindowedWidth, kWindowedHeight);
    } else {
        MakeDesktopSized();
    }
    mFullScreen = !mFullScreen;
}

void Window::Update()
{
    const bool imguiReady = ImGui::GetCurrentContext() != nullptr;
    if (gCurrentWindow && imguiReady) {
        ImGui::Render();
        ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    }
    Input::EndFrame();
    Mouse::EndFrame();

    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (imguiReady)
            ImGui_ImplSDL2_ProcessEvent(&event);
        switch (event.type) {
        case SDL_QUIT:
            StateManager::Quit();
            break;
        case SDL_WINDOWEVENT:
            // In both modes: whoever sized the window, the picture fills it.
            if (event.window.event == SDL_WINDOWEVENT_RESIZED || event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                FollowSize(event.window.data1, event.window.data2);
            break;
        case SDL_KEYDOWN:
            Input::OnKeyDown(event);
            break;
        case SDL_MOUSEBUTTONDOWN:
            Mouse::OnButtonDown(event);
            break;
        case SDL_KEYUP:
            if (event.key.keysym.sym == SDLK_F11 && mWindow)
                ToggleFullScreen();
            break;
        default:
            break;
        }
    }

    // A desktop whose width changed takes the full-screen window with it; a
    // size given by something else (a window manager) is kept.
    if (mFullScreen && mWindow && DesktopMode().w != mDesktopWidth)
        MakeDesktopSized();

    if (mWindow)
        SDL_GL_SwapWindow(mWindow);

    if (gCurrentWindow != this) {
        gCurrentWindow = this;
        gResized = true;
    }
}

bool Window::WasResized()
{
    return gResized;
}

Window* GetWindow()
{
    return gCurrentWindow;
}

std::pair<int, int> GetWindowSize()
{
    return gCurrentWindow ? gCurrentWindow->GetSize() : std::pair<int, int>{0, 0};
}
