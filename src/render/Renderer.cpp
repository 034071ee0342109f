#include "render/Renderer.h"

namespace Renderer {

void Initialize() {}

void BeginFrame() {}

void Present() {}

void Shutdown() {}

void CreateFramebuffers(int, int) {}

} // namespace Renderer
