#include "core/Controller.h"

#include "core/Time.h"
#include "platform/GamePad.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

struct ButtonIndex {
    int index;
    std::uint16_t bit;
};

constexpr ButtonIndex kButtonIndices[] = {
    {0, GamePad::kA},
    {1, GamePad::kB},
    {2, GamePad::kX},
    {3, GamePad::kY},
    {4, GamePad::kDpadLeft},
    {5, GamePad::kDpadRight},
    {6, GamePad::kDpadUp},
    {7, GamePad::kDpadDown},
    {8, GamePad::kLeftShoulder},
    {9, GamePad::kRightShoulder},
    {12, GamePad::kLeftThumb},
    {13, GamePad::kRightThumb},
    {14, GamePad::kBack},
    {15, GamePad::kStart},
};

// -32768 would reach past -1, so it is held at -1. A value exactly at the
// dead zone survives.
float StickAxis(std::int16_t value, float deadZone)
{
    const double axis = std::max(-1.0, value / 32767.0);
    return deadZone > std::fabs(axis) ? 0.0f : static_cast<float>(axis);
}

// Callers may ask for more than full speed; NaN stops the motor.
std::uint16_t MotorSpeed(float speed)
{
    if (!(speed > 0.0f))
        return 0;
    if (speed >= 1.0f)
        return 65535;
    return static_cast<std::uint16_t>(speed * 65535.0f);
}

// A button that was never read counts as up.
bool Lookup(const std::map<int, bool>& buttons, int button)
{
    const auto found = buttons.find(button);
    return found != buttons.end() && found->second;
}

} // namespace

Controller::Controller(unsigned padIndex)
    : mPadIndex(padIndex)
{
    GamePad::PadState state;
    mNotConnected = !GamePad::Read(mPadIndex, state);
}

void Controller::Update()
{
    GamePad::PadState state;
    const bool read = GamePad::Read(mPadIndex, state);

    mRumbleTimer.Update(Time::GetDt());
    if (mRumbleTimer.IsDone())
        GamePad::SetMotors(mPadIndex, 0, 0);

    // A pad that was pulled out reads as let go from this frame on.
    mNotConnected = !read;
    if (!read)
        state = GamePad::PadState{};

    mPrevious = mCurrent;
    for (const ButtonIndex& entry : kButtonIndices)
        mCurrent[entry.index] = (state.buttons & entry.bit) != 0;

    mLeftX = StickAxis(state.leftX, mDeadZoneX);
    mLeftY = StickAxis(state.leftY, mDeadZoneY);
    mRightX = StickAxis(state.rightX, mDeadZoneX);
    mRightY = StickAxis(state.rightY, mDeadZoneY);

    mLeftTrigger = state.leftTrigger / 255.0f;
    mRightTrigger = state.rightTrigger / 255.0f;
}

void Controller::BindKeys(Action* basicAttack, Action*, Action* jump, Action*)
{
    mBindings[0] = jump;
    mBindings[1] = basicAttack;
    mBindings[2] = basicAttack;
    mBindings[9] = basicAttack;
    mBindings[8] = basicAttack;
}

bool Controller::JustPressed(int button) const
{
    return Lookup(mCurrent, button) && !Lookup(mPrevious, button);
}

bool Controller::JustReleased(int button) const
{
    return !Lookup(mCurrent, button) && Lookup(mPrevious, button);
}

int Controller::GetStickDirection() const
{
    if (mLeftY > std::fabs(mLeftX))
        return Direction::Up;
    if (mLeftY < -std::fabs(mLeftX))
        return Direction::Down;
    if (mLeftX > 0.0f)
        return Direction::Right;
    if (mLeftX < 0.0f)
        return Direction::Left;
    return Direction::None;
}

void Controller::CheckConnection()
{
    GamePad::PadState state;
    if (GamePad::Read(mPadIndex, state))
        mNotConnected = false;
}

// A duration that is not a finite positive number stops the motors at once:
// NaN or infinity would never run out.
void Controller::Vibrate(float left, float right, float duration)
{
    const bool timed = std::isfinite(duration) && duration > 0.0f;
    GamePad::SetMotors(mPadIndex, timed ? MotorSpeed(left) : 0, timed ? MotorSpeed(right) : 0);
    mRumbleTimer.SetDuration(timed ? duration : 0.0f);
    mRumbleTimer.Reset();
    if (!timed)
        mRumbleTimer.Update(0.0f);
}

void Controller::StopVibration()
{
    GamePad::SetMotors(mPadIndex, 0, 0);
}
