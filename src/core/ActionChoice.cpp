// Turning one pad's state into the action of the frame.

#include "core/Action.h"
#include "core/Controller.h"
#include "game/Players.h"
#include "platform/GamePad.h"

#include <array>

namespace {

constexpr int kJumpButton = 0;

// The actions a pad asks for that are not bound to a button, one set per
// pad and reused every frame.
std::array<Move, GamePad::kSlots> gMoves{Move(Direction::None), Move(Direction::None), Move(Direction::None),
                                         Move(Direction::None)};
std::array<BasicAttack, GamePad::kSlots> gTriggerAttacks{BasicAttack(Direction::None), BasicAttack(Direction::None),
                                                         BasicAttack(Direction::None), BasicAttack(Direction::None)};

Action* WithParameter(Action& action, int direction)
{
    action.SetParameter(direction);
    return &action;
}

} // namespace

Action* Controller::GetAction()
{
    const unsigned slot = mPadIndex % GamePad::kSlots;
    if (!IsConnected())
        return WithParameter(gMoves[slot], Direction::None);

    const int direction = GetStickDirection();
    for (const auto& [button, action] : mBindings) {
        if (button == kJumpButton && JustReleased(kJumpButton))
            ReleaseJump(GetPlayer(static_cast<int>(mPadIndex)));
        const auto held = mCurrent.find(button);
        if (held != mCurrent.end() && held->second && action)
            return WithParameter(*action, direction);
        if (mRightTrigger > 0.0f || mLeftTrigger > 0.0f)
            return WithParameter(gTriggerAttacks[slot], direction);
    }
    return WithParameter(gMoves[slot], direction);
}
