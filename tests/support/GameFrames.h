#pragma once

#include "VirtualPad.h"

#include <SDL.h>

// Whole frames of the started game (Game::Frame), for tests that play it.
// Frames stop early once the game has quit.
void RunGameFrames(int count);

// Presses and releases a pad button over whole game frames, `times` times:
// long enough for a menu to see each press once and act on it.
void TapPad(VirtualPad& pad, SDL_GameControllerButton button, int times = 1);
