#pragma once

#include <SDL_mixer.h>

#include <cstddef>
#include <cstdint>
#include <string>

// Reading one sound file and decoding it for the mixer, within bounds that
// keep any file from stalling the game or filling its memory: only a regular
// file under the "assets" folder of the working directory is read
// ("./assets/sound/jump.wav"; no absolute path, no ".."), of at most
// kMaxSoundFileBytes, and only a WAV, MP3 or Ogg Vorbis file whose headers
// say it plays for at most kMaxSoundSeconds is decoded.
namespace fb {

inline constexpr std::uintmax_t kMaxSoundFileBytes = 64u << 20;
inline constexpr double kMaxSoundSeconds = 600.0;

// The decoded sound, or null with the reason in failure. A sound that would
// take more than bytesLeft decoded is refused before it is decoded.
Mix_Chunk* DecodeSoundFile(const std::string& path, std::size_t bytesLeft, std::string& failure);

} // namespace fb
