#pragma once

// Switches the menus between mouse mode and game-pad mode.
void UpdateInputMode();
