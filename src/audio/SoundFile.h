#pragma once

#include "audio/ChunkBuilder.h"

#include <SDL_mixer.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Reading one sound file and decoding it for the mixer, within bounds that
// keep any file from stalling the game or filling its memory: only a regular
// file under the "assets" folder of the working directory is read
// ("./assets/sound/jump.wav"; no absolute path, no ".."), of at most
// kMaxSoundFileBytes. It is decoded block by block (audio/SoundDecoders.h)
// and refused the moment it plays for more than kMaxSoundSeconds or takes
// more than the bytes left for decoded sounds. MIDI and module files, and
// anything else the libraries do not read as sound, are refused.
namespace fb {

inline constexpr std::uintmax_t kMaxSoundFileBytes = 64u << 20;

// The decoded sound, or null with the reason in failure.
Mix_Chunk* DecodeSoundFile(const std::string& path, std::size_t bytesLeft, std::string& failure);

// The same for the bytes of a file already read.
Mix_Chunk* DecodeSoundBytes(std::string_view bytes, std::size_t bytesLeft, std::string& failure);

} // namespace fb
