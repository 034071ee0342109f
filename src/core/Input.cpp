#include "core/Input.h"

namespace Input {

void Init() {}

void Update() {}

void Shutdown() {}

void EndFrame() {}

void OnKeyDown(const SDL_Event&) {}

} // namespace Input
