#pragma once

#include "audio/SoundEvent.h"

#include <string>

namespace fb {

// One entry of a sound set: the sound that eventStart plays and eventEnd
// pauses. Its sound plays in the "Effects" group and is never a stream.
class SoundBinding {
public:
    SoundBinding(std::string name, std::string file, std::string eventStart, std::string eventEnd, bool loop,
                 float volume);

    std::string GetName() const;
    std::string GetFile() const;
    std::string GetEventStart() const;
    std::string GetEventEnd() const;
    bool GetLoop() const;
    float GetVolume() const;

    void SetFile(std::string file);
    // Pauses the sound's channel and unloads its file, so that the next
    // event plays it in the new mode.
    void SetLoop(bool loop);
    // Applied at once to the channel that plays.
    void SetVolume(float volume);

    // Plays the sound when name is eventStart, then pauses its last channel
    // when name is eventEnd. An empty name does nothing.
    void OnEvent(const std::string& name);

    SoundEvent& GetSound() { return mSound; }

private:
    SoundEvent mSound;
    std::string mName;
    std::string mFile;
    std::string mEventStart;
    std::string mEventEnd;
    bool mLoop;
    float mVolume;
};

} // namespace fb
