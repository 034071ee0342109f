#pragma once

#include "VirtualPad.h"

#include <SDL.h>

// Starts the game (Game::Init) on a frame clock that counts 1/60 s for
// every frame, however long the frame took: what a test sees after so many
// frames does not depend on how busy the machine is.
void StartGameOnFrameClock();

// Whole frames of the started game (Game::Frame), for tests that play it.
// Frames stop early once the game has quit.
void RunGameFrames(int count);

// Presses and releases a pad button over whole game frames, `times` times:
// long enough for a menu to see each press once and act on it.
void TapPad(VirtualPad& pad, SDL_GameControllerButton button, int times = 1);
