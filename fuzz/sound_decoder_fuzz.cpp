// Decoding a sound file's bytes, as the game does, with a small budget for
// the decoded sound so that each input stops early.
#include "audio/SoundFile.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdlib>

namespace {

constexpr std::size_t kBudget = std::size_t{1} << 20;

// The mixer's format is what the decoder converts to: open it once, on
// SDL's silent driver.
bool OpenMixerOnce()
{
    static const bool open = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        return SDL_InitSubSystem(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) == 0;
    }();
    return open;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (!OpenMixerOnce())
        std::abort();
    std::string why;
    if (Mix_Chunk* chunk = fb::DecodeSoundBytes({reinterpret_cast<const char*>(data), size}, kBudget, why))
        Mix_FreeChunk(chunk);
    return 0;
}
