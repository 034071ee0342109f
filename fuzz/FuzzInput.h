#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Helpers for the fuzz targets. They run from the project's root, where
// assets/ is, so that the loaders find the files an input names.

// Writes the input to this process's scratch file (silencing the traces and
// forgetting the files kept from earlier inputs) and returns its path,
// relative to the project's root ("build-fuzz/scratch/<pid>.json").
std::string WriteInput(const std::uint8_t* data, std::size_t size);

// The same path as seen from a folder `depth` levels below the root, for
// loaders that put their own folder in front of a file name.
std::string InputFrom(int depth);

// Opens a small window with an OpenGL context once per process, for loaders
// whose components load textures. Needs an X display (Xvfb).
void OpenGLOnce();
