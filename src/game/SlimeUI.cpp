#include "game/SlimeUI.h"

namespace SlimeUI {

void Initialize() {}

} // namespace SlimeUI
