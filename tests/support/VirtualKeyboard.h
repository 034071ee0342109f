#pragma once

#include "PrivateXServer.h"

#include <SDL.h>

// Real key presses for tests. It starts a private X server (Xvfb) and points
// DISPLAY at it, so make it before SDL video starts and let it go after SDL
// has quit. Keys are pressed on that server through its XTEST extension, and
// SDL takes them as it takes a player's: into its key-state array and as key
// events, at its next event pump. Being private, the server keeps these keys
// away from the windows of every other test running at the same time.
class VirtualKeyboard {
public:
    // The private server's screen, which a game window fills, is width by height.
    explicit VirtualKeyboard(int width = 320, int height = 240);
    ~VirtualKeyboard();
    VirtualKeyboard(const VirtualKeyboard&) = delete;
    VirtualKeyboard& operator=(const VirtualKeyboard&) = delete;

    // Whether the private server is up.
    bool IsRunning() const { return mServer.IsRunning(); }
    // Types into this SDL window from now on (it must be on the private
    // server). False when the server cannot fake key presses.
    bool Attach(SDL_Window* window);

    void Press(SDL_Scancode key);
    void Release(SDL_Scancode key);

private:
    void Send(SDL_Scancode key, bool down);

    PrivateXServer mServer;
    void* mDisplay = nullptr;
};
