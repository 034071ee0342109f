#pragma once

#include <SDL.h>

// The mouse as the menus read it once a frame. SDL's own state only tells
// what is held when it is asked, so a quick click (a touchpad tap, or a
// press and release that both reach the window between two frames) would be
// missed: the window hands every button press of its event pump in here,
// and a left press heard since the last pump counts as the left button down
// for the whole next frame.
namespace Mouse {

struct State {
    // Window pixels from the top left.
    int x = 0;
    int y = 0;
    // Held now, or pressed since the last event pump.
    bool leftDown = false;
};

State Read();

// Called by the window before it pumps events: the presses heard so far
// belong to the frame that has just run.
void EndFrame();
// Called by the window for each mouse button press it pumps.
void OnButtonDown(const SDL_Event& event);

} // namespace Mouse
