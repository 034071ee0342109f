#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace fb {

// One playable sound: a file, a channel group, a volume and its loop and
// stream modes, played through the AudioEngine. Each Play starts a new
// channel; only the last one is addressed afterwards, and only while it
// plays: once it has ended, its id may be given to another sound, which
// this event then leaves alone.
//
// Sounds are cached by path, so Stop, SetLoop and the destruction of the
// last copy of an event unload the path for every player of that file.
// Copies of one event share it: only the last of them unloads on
// destruction, and a moved-from event unloads nothing.
class SoundEvent {
public:
    SoundEvent();
    SoundEvent(std::string name, std::string file, std::string group, float volume, bool stream, bool loop);
    ~SoundEvent();
    SoundEvent(const SoundEvent& other);
    SoundEvent(SoundEvent&& other) noexcept;
    SoundEvent& operator=(const SoundEvent& other);
    SoundEvent& operator=(SoundEvent&& other) noexcept;

    // Loads the file with this event's modes and starts it on a new channel.
    void Play();
    // Unloads the file, which ends every channel that plays it.
    void Stop();
    // Pauses the channel of the last Play while that plays.
    void Pause();
    // Whether the channel of the last Play still plays (or is paused).
    bool IsPlaying() const;

    int GetChannel() const;
    const std::string& GetName() const;
    const std::string& GetFile() const;
    const std::string& GetGroup() const;
    float GetVolume() const;
    bool GetStream() const;
    bool GetLoop() const;

    // The file only: a sound cached under the old path stays cached.
    void SetFile(std::string file);
    // Takes effect at the next Play.
    void SetGroup(std::string group);
    void SetStream(bool stream);
    // Unloads a set file, so that the next Play uses the new mode.
    void SetLoop(bool loop);
    // Also applied at once to the channel of the last Play while that plays.
    void SetVolume(float volume);

private:
    void ReleaseFile();

    std::string mFile;
    std::string mName;
    std::string mGroup;
    float mVolume = 0.0f;
    int mChannel = 0;
    // Which start the channel id stood for (AudioEngine::GetStart); 0 when
    // the last Play started nothing.
    std::uint64_t mStart = 0;
    bool mStream = false;
    bool mLoop = false;
    // Shared by the copies of this event that hold the same file.
    std::shared_ptr<const int> mOwners;
};

} // namespace fb
