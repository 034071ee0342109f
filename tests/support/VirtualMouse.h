#pragma once

#include "PrivateXServer.h"

#include <SDL.h>

// A real mouse for tests, on a private X server (see PrivateXServer: make it
// before SDL video starts). The pointer is moved and its left button pressed
// on the server, so SDL reads them as it reads a player's mouse: into
// SDL_GetMouseState and as events, at its next event pump (every click
// counts, though: SDL would drop one that focused the window).
class VirtualMouse {
public:
    VirtualMouse() = default;

    bool IsRunning() const { return mServer.IsRunning(); }
    // Points into this SDL window from now on (it must be on the private
    // server), and moves the window to the top left of the screen, where
    // the pointer can reach all of it. False when the server cannot fake
    // mouse input.
    bool Attach(SDL_Window* window);

    // To this pixel of the window, from its top left.
    void MoveTo(int x, int y);
    void PressLeft();
    void ReleaseLeft();

private:
    void SendButton(bool down);

    PrivateXServer mServer;
    void* mDisplay = nullptr;
    unsigned long mWindow = 0;
};
