#include "render/TextRenderer.h"

namespace TextRenderer {

void Initialize() {}

void Flush() {}

} // namespace TextRenderer
