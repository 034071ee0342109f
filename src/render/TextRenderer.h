#pragma once

#include <glm/glm.hpp>
#include <string>

// Prints strings from glyph textures rendered once, at start-up, from the
// game's TrueType font at 48 pixels. Texts are queued during the frame and
// drawn by Flush straight onto the finished picture, after the bloom, so
// they take no part in the layers.
namespace TextRenderer {

// After Renderer::Initialize; starts with an empty queue. Font problems are written to standard output
// and leave the glyphs that could not be made empty. Throws
// std::runtime_error when the text shaders fail.
void Initialize();

// x and y from -1 (left, bottom) to 1 (right, top) across the window; the
// text's 48-pixel glyphs come out scale times the window width tall. y is
// the baseline.
void AddText(std::string text, float x, float y, float scale, glm::vec3 colour, bool centred);
// x, y and scale in pixels from the bottom left.
void AddTextRaw(std::string text, float x, float y, float scale, glm::vec3 colour, bool centred);
// At a world point through the camera; nothing is queued for a point off
// the screen. The scale is relative to the camera's width.
void AddTextWorld(std::string text, float x, float y, float scale, glm::vec3 colour, bool centred);

// Draws the queued texts in order and empties the queue.
void Flush();

// Writes a failed compile ("VERTEX", "FRAGMENT") or link ("PROGRAM") with
// its log to standard output; returns whether the step succeeded.
bool CheckCompileErrors(unsigned object, std::string type);

} // namespace TextRenderer
