// The character tuning file.
#include "FuzzInput.h"
#include "game/CharacterGlobals.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    WriteInput(data, size);
    // Tuning files are read from assets/json/.
    LoadCharacterGlobals(InputFrom(2));
    CharacterGlobals::SetAcceleration(0.0f);
    CharacterGlobals::SetJumpSpeed(0.0f);
    CharacterGlobals::SetMaxSpeed(0.0f);
    CharacterGlobals::SetGravity(0.0f);
    CharacterGlobals::SetDrag(1);
    gCharacterGlobalsDocument.reset();
    return 0;
}
