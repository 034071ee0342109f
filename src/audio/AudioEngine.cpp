#include "audio/AudioEngine.h"

#include "audio/SoundFile.h"
#include "core/Trace.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <set>

namespace {

constexpr int kChannelCount = 64;
// The id whose turn makes PlaySound look for the lowest id that is free again.
constexpr int kSearchId = 63;
constexpr int kFrequency = 44100;
constexpr int kSpeakers = 2;
constexpr int kBufferFrames = 1024;
// What all decoded sounds together may take; a sound past it is refused.
constexpr std::size_t kDecodedBudget = std::size_t{256} << 20;

enum Group { Master, Music, Effects, Ambience, GroupCount };

// Every sound is decoded into memory, streams too: the mixer plays any number
// of samples at once but only one piece of its own music, and the match music
// must go on while the credits play theirs.
struct Sound {
    Mix_Chunk* chunk;
    bool loop;
    bool stream;
};

// What one mixer channel was last started with.
struct Slot {
    int id = -1;
    // Counts the starts of the engine's life, so no two starts share one.
    std::uint64_t start = 0;
    Mix_Chunk* chunk = nullptr;
    int group = Master;
    float volume = 0.0f;
};

struct Engine {
    std::map<std::string, Sound> sounds;
    // Decoded files stay until shutdown, so that playing a path again after
    // it was unloaded (the menu music between two screens) decodes nothing.
    std::map<std::string, Mix_Chunk*> decoded;
    std::size_t decodedBytes = 0;
    // Files that were refused, however they are spelled: each is traced
    // once and never read again.
    std::set<std::string> failedFiles;
    // Files that were not there when asked for, traced once; a file put in
    // place later, while the game runs, plays from then on.
    std::set<std::string> missingFiles;
    std::map<int, int> channels; // channel id -> mixer channel
    std::array<Slot, kChannelCount> slots;
    std::array<float, GroupCount> groupVolumes = {1.0f, 0.0f, 0.0f, 0.0f};
    int nextId = 0;
    std::uint64_t starts = 0;
};

// A plain pointer, so that sound events destroyed at exit still find it null.
Engine* gAudioEngine = nullptr;

int GroupOf(const std::string& name)
{
    if (name == "Music")
        return Music;
    if (name == "Effects")
        return Effects;
    if (name == "Ambience")
        return Ambience;
    return Master;
}

void ApplyVolume(int mixerChannel)
{
    const Slot& slot = gAudioEngine->slots[mixerChannel];
    const float heard = std::clamp(gAudioEngine->groupVolumes[slot.group] * slot.volume, 0.0f, 1.0f);
    Mix_Volume(mixerChannel, static_cast<int>(std::lround(heard * MIX_MAX_VOLUME)));
}

// The mixer channel that still belongs to id, or -1.
int Resolve(int channelId)
{
    const auto found = gAudioEngine->channels.find(channelId);
    if (found == gAudioEngine->channels.end() || gAudioEngine->slots[found->second].id != channelId)
        return -1;
    return found->second;
}

bool IsMixerChannelPlaying(int mixerChannel)
{
    return mixerChannel >= 0 && Mix_Playing(mixerChannel) != 0;
}

// The next id of the count that no sound holds: an id stays with its sound
// for as long as that plays, so nothing meant for it reaches another.
int TakeId()
{
    int id = 0;
    do {
        id = gAudioEngine->nextId;
        gAudioEngine->nextId = id == INT_MAX ? 0 : id + 1;
    } while (IsMixerChannelPlaying(Resolve(id)));
    return id;
}

int FreeMixerChannel()
{
    for (int channel = 0; channel < kChannelCount; ++channel) {
        if (!Mix_Playing(channel))
            return channel;
    }
    return -1;
}

bool OpenDevice()
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
        if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kSpeakers, kBufferFrames) == 0)
            return true;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    return false;
}

} // namespace

namespace AudioEngine {

void Initialize()
{
    if (gAudioEngine)
        return;
    Mix_Init(MIX_INIT_MP3 | MIX_INIT_OGG);
    if (!OpenDevice()) {
        const std::string reason = SDL_GetError();
        // Mix into SDL's silent driver, so that channels play and end in
        // real time and the game runs as it would with a sound card.
        SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
        const bool silent = OpenDevice();
        SDL_ResetHint(SDL_HINT_AUDIODRIVER);
        if (!silent) {
            Trace("-Audio- No sound device (" + reason + "); sound is off", 3);
            Mix_Quit();
            return;
        }
        Trace("-Audio- No sound device (" + reason + "); the game plays without sound", 3);
    }
    Mix_AllocateChannels(kChannelCount);
    // The mixer marks a paused channel with SDL's millisecond clock, so a
    // pause in the clock's first millisecond would not hold.
    while (SDL_GetTicks64() == 0)
        SDL_Delay(1);
    gAudioEngine = new Engine();
    SetGroupVolume("Music", 0.5f);
    SetGroupVolume("Effects", 0.75f);
    SetGroupVolume("Ambience", 0.75f);
}

void Update()
{
    if (!gAudioEngine)
        return;
    std::erase_if(gAudioEngine->channels,
                  [](const auto& entry) { return !IsMixerChannelPlaying(Resolve(entry.first)); });
}

void Shutdown()
{
    if (!gAudioEngine)
        return;
    Mix_HaltChannel(-1);
    for (const auto& [path, chunk] : gAudioEngine->decoded)
        Mix_FreeChunk(chunk);
    delete gAudioEngine;
    gAudioEngine = nullptr;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void LoadSound(const std::string& path, bool loop, bool stream)
{
    if (!gAudioEngine || path.empty() || gAudioEngine->sounds.contains(path))
        return;
    const std::string file = std::filesystem::path(path).lexically_normal().string();
    if (gAudioEngine->failedFiles.contains(file))
        return;
    Mix_Chunk*& chunk = gAudioEngine->decoded[path];
    std::string failure;
    if (!chunk) {
        chunk = fb::DecodeSoundFile(path, kDecodedBudget - gAudioEngine->decodedBytes, failure);
        gAudioEngine->decodedBytes += chunk ? chunk->alen : 0;
    }
    if (!chunk) {
        gAudioEngine->decoded.erase(path);
        std::error_code error;
        const bool missing = !std::filesystem::exists(std::filesystem::symlink_status(path, error));
        if ((missing ? gAudioEngine->missingFiles : gAudioEngine->failedFiles).insert(file).second)
            Trace("-Audio- Could not load sound " + path + ": " + failure, 4);
        return;
    }
    gAudioEngine->sounds[path] = Sound{chunk, loop, stream};
}

int PlaySound(const std::string& path, const std::string& group, float volume, bool paused)
{
    if (!gAudioEngine)
        return -1;
    int id = TakeId();
    LoadSound(path, false, false);
    const auto sound = gAudioEngine->sounds.find(path);
    if (sound == gAudioEngine->sounds.end())
        return id;
    if (id == kSearchId) {
        // The search ends at the latest on the id taken, which nothing holds.
        int free = 0;
        while (free < kSearchId && IsPlaying(free))
            ++free;
        id = free;
        gAudioEngine->nextId = free + 1;
    }
    const int channel = FreeMixerChannel();
    if (channel < 0)
        return id;
    Slot& slot = gAudioEngine->slots[channel];
    slot = Slot{id, ++gAudioEngine->starts, sound->second.chunk, GroupOf(group), volume};
    // The volume is set before the channel starts, so nothing is heard at another.
    ApplyVolume(channel);
    if (Mix_PlayChannel(channel, slot.chunk, sound->second.loop ? -1 : 0) < 0) {
        slot = Slot{};
        return id;
    }
    if (paused)
        Mix_Pause(channel);
    gAudioEngine->channels[id] = channel;
    return id;
}

bool IsPlaying(int channelId)
{
    return gAudioEngine && IsMixerChannelPlaying(Resolve(channelId));
}

std::uint64_t GetStart(int channelId)
{
    if (!gAudioEngine)
        return 0;
    const int channel = Resolve(channelId);
    return IsMixerChannelPlaying(channel) ? gAudioEngine->slots[channel].start : 0;
}

int CountPlaying(const std::string& group)
{
    if (!gAudioEngine)
        return 0;
    const int index = GroupOf(group);
    int count = 0;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        const Slot& slot = gAudioEngine->slots[channel];
        if (slot.chunk && slot.group == index && Mix_Playing(channel))
            ++count;
    }
    return count;
}

void SetPaused(int channelId, bool paused)
{
    if (!gAudioEngine)
        return;
    const int channel = Resolve(channelId);
    if (channel < 0)
        return;
    if (paused)
        Mix_Pause(channel);
    else
        Mix_Resume(channel);
}

void SetChannelVolume(int channelId, float volume)
{
    if (!gAudioEngine)
        return;
    const int channel = Resolve(channelId);
    if (channel < 0)
        return;
    gAudioEngine->slots[channel].volume = volume;
    ApplyVolume(channel);
}

void UnloadSound(const std::string& path)
{
    if (!gAudioEngine)
        return;
    const auto sound = gAudioEngine->sounds.find(path);
    if (sound == gAudioEngine->sounds.end())
        return;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        Slot& slot = gAudioEngine->slots[channel];
        if (slot.chunk == sound->second.chunk) {
            Mix_HaltChannel(channel);
            slot.chunk = nullptr;
        }
    }
    gAudioEngine->sounds.erase(sound);
}

float GetGroupVolume(const std::string& group)
{
    const int index = GroupOf(group);
    if (!gAudioEngine || index == Master)
        return 0.0f;
    return gAudioEngine->groupVolumes[index];
}

void SetGroupVolume(const std::string& group, float volume)
{
    const int index = GroupOf(group);
    if (!gAudioEngine || index == Master)
        return;
    gAudioEngine->groupVolumes[index] = volume;
    for (int channel = 0; channel < kChannelCount; ++channel) {
        if (gAudioEngine->slots[channel].group == index)
            ApplyVolume(channel);
    }
}

} // namespace AudioEngine
