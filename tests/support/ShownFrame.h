#pragma once

#include "support/GLTestWindow.h"

#include <vector>

// The picture the window shows now: the front buffer of the current OpenGL
// context after the game's frame swapped it there, rows from the bottom.
std::vector<GLTestWindow::Pixel> ReadShownFrame(int width, int height);
