#pragma once

#include <string>

namespace fb {

// Plays the sounds that the loaded sound sets bind to character and game events.
class SoundBinder {
public:
    SoundBinder();
    ~SoundBinder();

    // Appends the sound set of "assets/json/" + file; false if it could not be read.
    bool LoadFile(std::string file);
};

} // namespace fb
