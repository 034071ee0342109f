#pragma once

#include <string>

namespace TextureManager {
unsigned Context();
}

// An image file and the OpenGL texture made from it. Building one makes no
// OpenGL call, so textures may be globals; the id is filled the first time
// the texture is drawn or loaded (see TextureManager). An id made in an
// earlier OpenGL context is looked up again by name when next drawn.
struct Texture {
    Texture() = default;
    Texture(const std::string& fileName);
    Texture(const char* fileName);

    // The path relative to the working directory, exactly as spelled.
    std::string name;
    // The OpenGL texture name; 0 while not loaded.
    unsigned id = 0;
    // The OpenGL context the id belongs to.
    unsigned context = TextureManager::Context();
};
