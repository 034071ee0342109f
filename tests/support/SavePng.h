#pragma once

#include "support/GLTestWindow.h"

#include <filesystem>
#include <vector>

// Writes a picture read back from a window (rows from the bottom) as a PNG
// file (rows from the top). False when the file cannot be written.
bool SavePng(const std::filesystem::path& file, const std::vector<GLTestWindow::Pixel>& bottomUp, int width,
             int height);
