#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace fb {

enum class SoundFormat { Wav, Mp3, OggVorbis };

// What a sound file's own headers say, read before anything is decoded.
struct SoundHeader {
    SoundFormat format;
    // The longest the file can play for: decoding never gives more.
    double seconds;
};

// Tells the three formats the game's sounds come in by their first bytes,
// not by the file's name: a WAV ("RIFF" ... "WAVE"), an MP3 (an ID3 tag or an
// MPEG layer III frame) or an Ogg Vorbis stream ("OggS" with a Vorbis
// header). How long it plays comes from the WAV's format and data chunks,
// from walking the MP3's frame headers, and from the Ogg pages' granule
// positions and packet counts. Anything else gives nothing, with the reason
// in why.
std::optional<SoundHeader> ReadSoundHeader(std::string_view bytes, std::string& why);

} // namespace fb
