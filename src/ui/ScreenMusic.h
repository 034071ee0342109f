#pragma once

#include <string>

namespace fb {
class SoundEvent;
}

// Starts a screen's music: the file streamed and looping in the "Music"
// group at half volume.
void PlayScreenMusic(fb::SoundEvent& music, const std::string& file);
