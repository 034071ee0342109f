#pragma once

#include <glm/glm.hpp>

// Flat-coloured outlines of unit squares, drawn once a frame over the
// finished picture and the text (colliders, menu buttons). Set a transform
// and a colour, then queue the shape with DrawShape; Flush draws the queue
// through the camera's projection only, thickened toward the upper right.
namespace Render {

struct DebugShape {
    // A blue of kNoColour means the shape has no colour of its own and is
    // drawn in the colour of the shape before it.
    glm::vec3 colour{0.0f, 0.0f, 0.0f};
    // Places the unit square in world units.
    glm::mat3 transform{1.0f};
};

inline constexpr float kNoColour = -1337.0f;

// Needs the window's OpenGL context; starts with an empty queue. Throws
// std::runtime_error, with the shader log on standard output, when the
// shaders fail.
void Initialize();
void Shutdown();

void SetTransform(const glm::mat3& transform);
void SetColor(glm::vec3 colour);
// Queues the shape made of the last transform and colour; the next shape
// has no colour of its own unless SetColor comes first.
void DrawShape();
// Draws the queue and empties it.
void Flush();

// Debugging aids: clear the bound framebuffer to a slate blue, and draw a
// green triangle at once through the full view.
void Clear();
void DrawNow();

} // namespace Render
