#include "render/DebugShapes.h"

namespace Render {

void Initialize() {}

void Flush() {}

void Shutdown() {}

} // namespace Render
