#pragma once

#include <cstdint>

// The game pads, over SDL's game-controller API. There are four slots, 0 to
// 3. A pad that is plugged in takes the lowest free slot and keeps it until it
// is pulled out; pads beyond the fourth, and joysticks that SDL does not know
// as game controllers, are left alone.
//
// Plugging is followed from SDL's device events, which the layer watches as
// SDL raises them (so it sees them whoever empties the event queue): the
// devices are looked through only after one was plugged in or pulled out,
// never on every read.
namespace GamePad {

constexpr unsigned kSlots = 4;

// Bits of PadState::buttons.
enum Button : std::uint16_t {
    kDpadUp = 0x0001,
    kDpadDown = 0x0002,
    kDpadLeft = 0x0004,
    kDpadRight = 0x0008,
    kStart = 0x0010,
    kBack = 0x0020,
    kLeftThumb = 0x0040,
    kRightThumb = 0x0080,
    kLeftShoulder = 0x0100,
    kRightShoulder = 0x0200,
    kA = 0x1000,
    kB = 0x2000,
    kX = 0x4000,
    kY = 0x8000,
};

// One reading of a pad. Sticks run from -32768 to 32767 with y pointing up,
// triggers from 0 (released) to 255 (fully pressed).
struct PadState {
    std::uint16_t buttons = 0;
    std::uint8_t leftTrigger = 0;
    std::uint8_t rightTrigger = 0;
    std::int16_t leftX = 0;
    std::int16_t leftY = 0;
    std::int16_t rightX = 0;
    std::int16_t rightY = 0;
};

// Starts SDL's game-controller subsystem. Until then every slot is empty.
// Pads plugged in before are picked up by the first Poll.
void Init();
// Stops every motor, lets go of the pads and stops the subsystem.
void Shutdown();

// Brings SDL's reading of every pad up to date, lets go of the pads pulled
// out and gives the pads plugged in since the last poll their slots. Once a
// frame, before the reads.
void Poll();
// Reads the pad in a slot as the last poll left it. False when the slot is
// empty.
bool Read(unsigned slot, PadState& state);
// How many times the devices have been looked through for new pads.
unsigned DeviceScans();
// Sets the motor speeds of the pad in a slot (left: the heavy motor, right:
// the light one); they run until set again. An empty slot ignores it.
void SetMotors(unsigned slot, std::uint16_t left, std::uint16_t right);

} // namespace GamePad
