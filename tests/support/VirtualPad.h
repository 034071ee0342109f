#pragma once

#include <SDL.h>
#include <memory>
#include <vector>

// A game pad for tests: an SDL virtual joystick that SDL takes for a game
// controller, so the game reads it as it reads a real pad. It can be made
// before or after Input::Init. A new pad takes the lowest free slot at the
// game's next pad poll (Input::Init, Input::Update, Input::PollConnections or
// GamePad::Poll).
class VirtualPad {
public:
    // Plugs in a pad with everything released and centred.
    VirtualPad();
    // Pulls it out if it is still plugged in.
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool IsPluggedIn() const { return mJoystick != nullptr; }
    void Unplug();

    void Press(SDL_GameControllerButton button);
    void Release(SDL_GameControllerButton button);
    // The left stick, each axis -1 to 1, y up as the game counts it.
    void SetStick(float x, float y);
    void SetRightStick(float x, float y);
    // Each 0 (released) to 1 (fully pressed).
    void SetTriggers(float left, float right);
    // A raw SDL axis value, for exact values at the ends and the dead zones.
    // SDL's stick y points down.
    void SetAxis(SDL_GameControllerAxis axis, Sint16 value);

    // The motor speeds the game set last (0 before it sets any), and how many
    // times it changed them.
    Uint16 HeavyMotor() const { return mHeavy; }
    Uint16 LightMotor() const { return mLight; }
    int RumbleChanges() const { return mRumbleChanges; }

private:
    static int SDLCALL OnRumble(void* self, Uint16 heavy, Uint16 light);

    SDL_Joystick* mJoystick = nullptr;
    SDL_JoystickID mId = -1;
    Uint16 mHeavy = 0;
    Uint16 mLight = 0;
    int mRumbleChanges = 0;
};

// Plugs in pads one after another, so that pad i lands in slot i when no
// other pad is plugged in.
std::vector<std::unique_ptr<VirtualPad>> PlugInPads(int count);
