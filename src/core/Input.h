#pragma once

#include <SDL.h>

// Game pads and the keyboard, read once a frame into the players' actions.
namespace Input {

void Init();
void Update();
void Shutdown();
// Called by the window: this frame's key presses become the last frame's.
void EndFrame();
void OnKeyDown(const SDL_Event& event);

} // namespace Input
