#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

// Sound files made by the tests themselves, in a scratch folder that goes
// away with the object. Sounds are read only from the game's assets, so the
// folder is reached through a link there, which nothing that walks the
// assets follows: paths are "assets/vendrabolt-sounds-<pid>/<name>".
class AudioTestFiles {
public:
    AudioTestFiles();
    ~AudioTestFiles();
    AudioTestFiles(const AudioTestFiles&) = delete;
    AudioTestFiles& operator=(const AudioTestFiles&) = delete;

    // A 16-bit mono WAV of a square wave whose samples are all +amplitude or
    // -amplitude.
    std::string Tone(const std::string& name, double seconds, int amplitude = 16000, int rate = 44100) const;
    // The same square wave as a mono Ogg Vorbis file, encoded here.
    std::string OggTone(const std::string& name, double seconds, int amplitude = 16000) const;
    // A silent 8-bit mono 8 kHz WAV: ten minutes take under 5 MB.
    std::string Silence(const std::string& name, double seconds) const;
    // The first bytes of a real file.
    std::string Truncated(const std::string& name, const std::string& source, std::size_t bytes) const;
    std::string Copy(const std::string& name, const std::string& source) const;
    std::string Write(const std::string& name, const std::string& bytes) const;

    std::string Path(const std::string& name) const;

private:
    std::filesystem::path mFolder;
    std::filesystem::path mLink;
};

// A file's bytes, or nothing.
std::string ReadBytes(const std::string& path);

// Sends what the mixer plays to a file through SDL's "disk" audio driver,
// so that a test hears the engine. Make it before AudioEngine::Initialize.
class HeardAudio {
public:
    HeardAudio();
    ~HeardAudio();
    HeardAudio(const HeardAudio&) = delete;
    HeardAudio& operator=(const HeardAudio&) = delete;

    // Waits until the driver has written that much more of the mix, then
    // returns its largest sample magnitude (what was mixed just before the
    // wait began is left out). Throws if the mix does not come.
    int Listen(int milliseconds) const;

    // Where the mix written goes on from, once all that was mixed before the
    // call is written: what is mixed after it is heard from there on.
    std::size_t Mark() const;
    // The largest sample magnitude of the mix from the mark on, once that
    // much of it is written.
    int ListenFrom(std::size_t mark, int milliseconds) const;

private:
    std::size_t Written() const;
    // Waits until the driver has written up to the given size.
    void WaitForMix(std::size_t size, int milliseconds) const;

    std::string mFile;
};
