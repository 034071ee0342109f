// The first look at a sound file: its format and length from its headers.
#include "audio/SoundHeader.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string why;
    fb::ReadSoundHeader({reinterpret_cast<const char*>(data), size}, why);
    return 0;
}
