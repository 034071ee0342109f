#pragma once

#include "tools/DeveloperWindow.h"

// Where each developer window first opens, in the 1000 by 600 window (see
// WindowPlace). Together they leave every button of every window in view,
// the menu's windows over any game state included.
namespace developer_layout {

// The developer menu: on the left the menu itself and what leads out of
// any state, then the entity, sprite and sound lists, and on the right the
// entity editor and the sound sets.
inline constexpr WindowPlace kEditorOptions{5.0f, 5.0f, 0.0f};
inline constexpr WindowPlace kCheatMenu{5.0f, 87.0f, 0.0f};
inline constexpr WindowPlace kStateSelector{5.0f, 169.0f, 230.0f};
inline constexpr WindowPlace kFramerate{5.0f, 429.0f, 230.0f};
inline constexpr WindowPlace kEntitySelector{240.0f, 5.0f, 200.0f};
inline constexpr WindowPlace kSpriteSelector{240.0f, 146.0f, 250.0f};
inline constexpr WindowPlace kSoundSelector{240.0f, 340.0f, 245.0f};
inline constexpr WindowPlace kEntityEditor{443.0f, 5.0f, 0.0f};
inline constexpr WindowPlace kSoundSets{490.0f, 220.0f, 0.0f};

// The windows of the states that are reached through the menu lie over the
// lists of its windows, never over a button; each covered window keeps a
// part of its title bar in view, to be brought to the front.

// The particle editor.
inline constexpr WindowPlace kParticleSystem{262.0f, 168.0f, 228.0f};
inline constexpr WindowPlace kFileControl{540.0f, 144.0f, 230.0f};
inline constexpr WindowPlace kEmitter{540.0f, 275.0f, 230.0f};
inline constexpr WindowPlace kParticleFiles{775.0f, 144.0f, 220.0f};

// The graphics test. Dear ImGui's own "Debug" window lies behind every
// other: it goes where none is.
inline constexpr WindowPlace kRotate{540.0f, 144.0f, 0.0f};
inline constexpr WindowPlace kGraphicsButtons{540.0f, 272.0f, 0.0f};
inline constexpr WindowPlace kGraphicsDebug{5.0f, 488.0f, 0.0f};

// The match's level list.
inline constexpr WindowPlace kLevelSelector{540.0f, 144.0f, 260.0f};

} // namespace developer_layout
