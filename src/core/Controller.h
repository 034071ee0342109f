#pragma once

#include "core/Timer.h"

#include <glm/vec2.hpp>
#include <map>

class Action;

// Direction codes of the stick and the keyboard, the parameter of every
// action.
namespace Direction {
constexpr int Up = 0;
constexpr int Down = 1;
constexpr int Left = 2;
constexpr int Right = 3;
constexpr int None = 4;
} // namespace Direction

// One game pad, read once a frame. Buttons are numbered:
//   0 A, 1 B, 2 X, 3 Y, 4 d-pad left, 5 d-pad right, 6 d-pad up,
//   7 d-pad down, 8 left shoulder, 9 right shoulder, 12 left stick press,
//   13 right stick press, 14 back, 15 start.
// Sticks run from -1 to 1 with y up, after the dead zones (0.25 on x, 0.3 on
// y); triggers run from 0 to 1.
class Controller {
public:
    // Reads the pad once to learn whether it is connected (as last polled).
    explicit Controller(unsigned padIndex);

    // The per-frame read of the pad as the pad layer last polled it
    // (GamePad::Poll; the input polls once a frame). It also counts down the
    // rumble and stops the motors once it has run out. A pad that cannot be
    // read is marked not connected and reads as let go: no button held, the
    // sticks centred and the triggers released.
    void Update();
    // A binds the jump; B, X and the shoulders the basic attack.
    void BindKeys(Action* basicAttack, Action* specialAttack, Action* jump, Action* block);
    // What this pad asks of its player in this frame, with the stick's
    // direction: A jumps, else a trigger punches, else B, X or a shoulder
    // punches, else the player moves. The action belongs to the input and
    // stays valid until this pad is asked again. Letting go of A releases
    // the jump of the pad's player. (ActionChoice.cpp)
    Action* GetAction();

    bool JustPressed(int button) const;
    bool JustReleased(int button) const;
    glm::vec2 GetStick() const { return {mLeftX, mLeftY}; }
    glm::vec2 GetRightStick() const { return {mRightX, mRightY}; }
    float GetLeftTrigger() const { return mLeftTrigger; }
    float GetRightTrigger() const { return mRightTrigger; }
    // The direction code of the left stick; exact diagonals count as left or
    // right.
    int GetStickDirection() const;
    unsigned GetPadIndex() const { return mPadIndex; }

    bool IsConnected() const { return !mNotConnected; }
    // Reads the pad again; a successful read marks it connected.
    void CheckConnection();

    // Runs the motors at these speeds (0 to 1; anything outside is clamped)
    // for this many seconds of unscaled frame time. A duration that is not a
    // finite positive number stops them.
    void Vibrate(float left, float right, float duration);
    void StopVibration();

private:
    unsigned mPadIndex;
    std::map<int, bool> mCurrent;
    std::map<int, bool> mPrevious;
    std::map<int, Action*> mBindings;
    bool mNotConnected = false;
    float mLeftX = 0.0f;
    float mLeftY = 0.0f;
    float mRightX = 0.0f;
    float mRightY = 0.0f;
    float mLeftTrigger = 0.0f;
    float mRightTrigger = 0.0f;
    float mDeadZoneX = 0.25f;
    float mDeadZoneY = 0.3f;
    Timer mRumbleTimer;
};
