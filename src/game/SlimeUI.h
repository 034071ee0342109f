#pragma once

// The per-player slime display.
namespace SlimeUI {

void Initialize();

} // namespace SlimeUI
