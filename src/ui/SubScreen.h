#pragma once

#include "core/GameState.h"

namespace fb {

// A screen that another screen runs inside itself (the main menu and the
// match's pause menu open options, how-to-play and credits this way). Each
// is a game state of its own as well, registered for the developer tools.
// Its Init makes its own camera active, away from the owner's scene; it
// never gives the owner's camera back.
class SubScreen : public GS {
public:
    // The screen has finished; its owner closes it.
    virtual bool IsDone() const = 0;
};

} // namespace fb
