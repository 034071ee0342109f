#include "VirtualPad.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace {

Sint16 StickValue(float value)
{
    const long scaled = std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f);
    return static_cast<Sint16>(scaled);
}

// SDL's trigger axes rest at -32768; 0 would read as half pressed.
Sint16 TriggerValue(float value)
{
    const long step = std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f);
    return static_cast<Sint16>(step * 257 - 32768);
}

int DeviceIndexOf(SDL_JoystickID id)
{
    const int devices = SDL_NumJoysticks();
    for (int device = 0; device < devices; ++device) {
        if (SDL_JoystickGetDeviceInstanceID(device) == id)
            return device;
    }
    return -1;
}

} // namespace

VirtualPad::VirtualPad()
{
    // Holds its own reference on the joystick subsystem, so that the pad
    // outlives Input::Shutdown.
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        ADD_FAILURE() << "joystick subsystem: " << SDL_GetError();
        return;
    }
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Test Pad";
    desc.userdata = this;
    desc.Rumble = &VirtualPad::OnRumble;
    const int device = SDL_JoystickAttachVirtualEx(&desc);
    if (device < 0) {
        ADD_FAILURE() << "virtual pad: " << SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        return;
    }
    mId = SDL_JoystickGetDeviceInstanceID(device);
    mJoystick = SDL_JoystickOpen(device);
    if (!mJoystick) {
        ADD_FAILURE() << "virtual pad: " << SDL_GetError();
        SDL_JoystickDetachVirtual(device);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        return;
    }
    SetTriggers(0.0f, 0.0f);
}

VirtualPad::~VirtualPad()
{
    Unplug();
}

void VirtualPad::Unplug()
{
    if (!mJoystick)
        return;
    // After SDL_Quit the pad is gone already, with SDL's handle.
    if (SDL_WasInit(SDL_INIT_JOYSTICK)) {
        SDL_JoystickClose(mJoystick);
        const int device = DeviceIndexOf(mId);
        if (device >= 0)
            SDL_JoystickDetachVirtual(device);
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
    mJoystick = nullptr;
}

void VirtualPad::Press(SDL_GameControllerButton button)
{
    if (mJoystick)
        SDL_JoystickSetVirtualButton(mJoystick, button, SDL_PRESSED);
}

void VirtualPad::Release(SDL_GameControllerButton button)
{
    if (mJoystick)
        SDL_JoystickSetVirtualButton(mJoystick, button, SDL_RELEASED);
}

void VirtualPad::SetStick(float x, float y)
{
    SetAxis(SDL_CONTROLLER_AXIS_LEFTX, StickValue(x));
    SetAxis(SDL_CONTROLLER_AXIS_LEFTY, StickValue(-y));
}

void VirtualPad::SetRightStick(float x, float y)
{
    SetAxis(SDL_CONTROLLER_AXIS_RIGHTX, StickValue(x));
    SetAxis(SDL_CONTROLLER_AXIS_RIGHTY, StickValue(-y));
}

void VirtualPad::SetTriggers(float left, float right)
{
    SetAxis(SDL_CONTROLLER_AXIS_TRIGGERLEFT, TriggerValue(left));
    SetAxis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, TriggerValue(right));
}

void VirtualPad::SetAxis(SDL_GameControllerAxis axis, Sint16 value)
{
    if (mJoystick)
        SDL_JoystickSetVirtualAxis(mJoystick, axis, value);
}

int SDLCALL VirtualPad::OnRumble(void* self, Uint16 heavy, Uint16 light)
{
    auto* pad = static_cast<VirtualPad*>(self);
    pad->mHeavy = heavy;
    pad->mLight = light;
    ++pad->mRumbleChanges;
    return 0;
}

std::vector<std::unique_ptr<VirtualPad>> PlugInPads(int count)
{
    std::vector<std::unique_ptr<VirtualPad>> pads;
    for (int i = 0; i < count; ++i)
        pads.push_back(std::make_unique<VirtualPad>());
    return pads;
}
