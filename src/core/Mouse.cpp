#include "core/Mouse.h"

namespace {

bool gLeftPressedSincePump = false;

} // namespace

namespace Mouse {

State Read()
{
    State state;
    const Uint32 buttons = SDL_GetMouseState(&state.x, &state.y);
    state.leftDown = gLeftPressedSincePump || (buttons & SDL_BUTTON(SDL_BUTTON_LEFT)) != 0;
    return state;
}

void EndFrame()
{
    gLeftPressedSincePump = false;
}

void OnButtonDown(const SDL_Event& event)
{
    if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT)
        gLeftPressedSincePump = true;
}

} // namespace Mouse
