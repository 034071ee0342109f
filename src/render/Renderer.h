#pragma once

// The layered draw queue with its shaders and bloom passes.
namespace Renderer {

void Initialize();
void BeginFrame();
void Present();
void Shutdown();
void CreateFramebuffers(int width, int height);

} // namespace Renderer
