#pragma once

#include <SDL.h>

// Resizes an SDL window on its X server, as a user dragging the window's
// border would; SDL hears of it as a resize event at a later event pump.
// False when the window is not an X window.
bool ResizeXWindow(SDL_Window* window, int width, int height);
