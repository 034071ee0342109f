#pragma once

#include "render/Texture.h"

#include <glm/glm.hpp>
#include <utility>
#include <vector>

// Every textured quad of the game goes through here. During the frame a
// drawer sets the current draw state and calls Submit(layer), which queues
// a copy of it; Present draws the queue in ascending layer order (records of
// one layer in submission order) into an off-screen scene, blurs its bright
// part and tone maps both onto the screen.
//
// A field that a record leaves unset (opacity, texture, texture coordinates,
// bloom) keeps the value of the record drawn before it; the transform is
// never reset.
//
// Layers in use: 0 the background, 1 sprites that never bloom, 2 particles,
// tiles, HUD and menu pieces and sprites read from files, 4 match overlays,
// 5 sprites fixed to the screen.
namespace Renderer {

// Needs the window's OpenGL context. Starts as the first time, whatever an
// earlier run left. Throws std::runtime_error, with the shader log on
// standard output, when the context or a shader fails.
void Initialize();
// Releases what Initialize made, while the context is still there.
void Shutdown();
// Re-makes the framebuffers at the window's new size, or at the largest the
// graphics driver can make when the window is larger (the picture is then
// stretched over the window); does nothing before Initialize.
void CreateFramebuffers(int width, int height);
std::pair<int, int> GetFramebufferSize();

// Empties the queue and queues the background.
void BeginFrame();
void Present();

// The draw state of the next Submit.
void SetOpacity(float opacity);
// The texture's id; one not loaded yet (id 0) counts as no texture.
void SetTexture(const Texture& texture);
void SetTextureId(unsigned id);
// Left-right mirrored texture coordinates when flipped.
void SetFlipped(bool flipped);
// Four (u, v) pairs: bottom-left, bottom-right, top-left, top-right. Null
// sets them all to 0.
void SetTexCoords(const float* corners);
// Forces the whole quad into the bloom (true) or leaves only the part over
// the brightness threshold there (false).
void SetBloom(bool bloom);
// The model matrix of the unit quad in world space, through the camera.
void SetTransform(const glm::mat3& model);
// The model matrix through the projection only (screen-fixed drawing).
void SetTransformFromMatrix(const glm::mat3& model);
// Like SetTransform, with the matrix given row by row.
void SetTransformFromValues(const glm::mat3& rows);
// Queues the draw state under the layer, then clears opacity, texture,
// texture coordinates and bloom.
void Submit(int layer);

// Drawn full-screen under everything from the next frame on.
void SetBackground(const Texture& texture);
void SetBloomDisabled(bool disabled);
// Runs of records that share a texture go to the GPU in one draw call (the
// default); unbatched, every record is its own call. The picture is the
// same either way, which the unbatched drawing is there to show.
void SetBatching(bool batching);
// A quad queued in this frame: its layer, texture id, its matrix from the
// unit quad to NDC, and its opacity (-1 where the drawer left it unset).
struct QueuedQuad {
    int layer;
    unsigned texture;
    glm::mat3 transform;
    float opacity;
};
// The quads queued since the last BeginFrame, in drawing order.
std::vector<QueuedQuad> GetQueuedQuads();

// Clears the bound framebuffer to the colour.
void Clear(float r, float g, float b);

} // namespace Renderer
