#include "platform/GamePad.h"

#include "core/Trace.h"

#include <SDL.h>
#include <algorithm>
#include <array>
#include <atomic>
#include <string>

namespace GamePad {

namespace {

struct Slot {
    SDL_GameController* pad = nullptr;
    SDL_JoystickID id = -1;
};

struct ButtonBit {
    SDL_GameControllerButton button;
    std::uint16_t bit;
};

constexpr ButtonBit kButtonBits[] = {
    {SDL_CONTROLLER_BUTTON_A, kA},
    {SDL_CONTROLLER_BUTTON_B, kB},
    {SDL_CONTROLLER_BUTTON_X, kX},
    {SDL_CONTROLLER_BUTTON_Y, kY},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kDpadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kDpadRight},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, kDpadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kDpadDown},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, kLeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, kRightShoulder},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, kLeftThumb},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, kRightThumb},
    {SDL_CONTROLLER_BUTTON_BACK, kBack},
    {SDL_CONTROLLER_BUTTON_START, kStart},
};

bool gStarted = false;
std::array<Slot, kSlots> gSlots;
// Set by SDL's device events, on whatever thread raises them.
std::atomic<bool> gDevicesChanged{false};
unsigned gDeviceScans = 0;

int SDLCALL WatchDevices(void*, SDL_Event* event)
{
    switch (event->type) {
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
        gDevicesChanged = true;
        break;
    default:
        break;
    }
    return 1;
}

bool IsOpen(SDL_JoystickID id)
{
    return std::any_of(gSlots.begin(), gSlots.end(), [id](const Slot& slot) { return slot.pad && slot.id == id; });
}

void Close(Slot& slot)
{
    SDL_GameControllerClose(slot.pad);
    slot = Slot{};
}

// Gives the pads not open yet the lowest free slots, in SDL's device order.
// Asking SDL whether a device is a game controller can be slow (it may build
// a mapping for it each time), so this runs only after a device event.
void OpenNewPads()
{
    ++gDeviceScans;
    const int devices = SDL_NumJoysticks();
    for (int device = 0; device < devices; ++device) {
        if (!SDL_IsGameController(device))
            continue;
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device);
        if (IsOpen(id))
            continue;
        auto free = std::find_if(gSlots.begin(), gSlots.end(), [](const Slot& slot) { return !slot.pad; });
        if (free == gSlots.end())
            return;
        SDL_GameController* pad = SDL_GameControllerOpen(device);
        if (!pad)
            continue;
        *free = Slot{pad, id};
        SDL_GameControllerSetPlayerIndex(pad, static_cast<int>(free - gSlots.begin()));
    }
}

// SDL's y axes point down; ours point up. -32768 turned over is clamped.
std::int16_t Upward(Sint16 value)
{
    return static_cast<std::int16_t>(std::min(-static_cast<int>(value), 32767));
}

// SDL's triggers run from 0 to 32767; rounding keeps every step of 0 to 255.
std::uint8_t TriggerByte(Sint16 value)
{
    const int clamped = std::max(0, static_cast<int>(value));
    return static_cast<std::uint8_t>((clamped * 255 + 16383) / 32767);
}

} // namespace

void Init()
{
    if (gStarted)
        return;
    // A pad keeps playing while the window does not have the focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        Trace(std::string("Game pads are not available: ") + SDL_GetError(), 3);
        return;
    }
    SDL_AddEventWatch(WatchDevices, nullptr);
    gDevicesChanged = true;
    gStarted = true;
}

void Shutdown()
{
    if (!gStarted)
        return;
    for (Slot& slot : gSlots) {
        if (!slot.pad)
            continue;
        SDL_GameControllerRumble(slot.pad, 0, 0, 0);
        Close(slot);
    }
    SDL_DelEventWatch(WatchDevices, nullptr);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    gStarted = false;
}

void Poll()
{
    if (!gStarted)
        return;
    SDL_GameControllerUpdate();
    bool slotFreed = false;
    for (Slot& slot : gSlots) {
        if (slot.pad && !SDL_GameControllerGetAttached(slot.pad)) {
            Close(slot);
            slotFreed = true;
        }
    }
    // A pad that found every slot taken waits for one to come free.
    const bool devicesChanged = gDevicesChanged.exchange(false);
    if (devicesChanged || slotFreed)
        OpenNewPads();
}

bool Read(unsigned slot, PadState& state)
{
    if (!gStarted || slot >= kSlots)
        return false;
    SDL_GameController* pad = gSlots[slot].pad;
    if (!pad)
        return false;
    state = PadState{};
    for (const ButtonBit& entry : kButtonBits) {
        if (SDL_GameControllerGetButton(pad, entry.button))
            state.buttons |= entry.bit;
    }
    state.leftTrigger = TriggerByte(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    state.rightTrigger = TriggerByte(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
    state.leftX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    state.leftY = Upward(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY));
    state.rightX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX);
    state.rightY = Upward(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_RIGHTY));
    return true;
}

unsigned DeviceScans()
{
    return gDeviceScans;
}

void SetMotors(unsigned slot, std::uint16_t left, std::uint16_t right)
{
    if (!gStarted || slot >= kSlots || !gSlots[slot].pad)
        return;
    SDL_GameControllerRumble(gSlots[slot].pad, left, right, 0);
}

} // namespace GamePad
