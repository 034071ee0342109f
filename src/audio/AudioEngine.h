#pragma once

#include <cstdint>
#include <string>

// The sound engine: music and effects mixed on 64 channels in the channel
// groups "Music", "Effects" and "Ambience" (start volumes 0.5, 0.75, 0.75).
// Any other group name plays in the master group, whose volume is 1.
//
// Sounds are cached by their exact path and keep the loop and stream mode
// they were first loaded with; a stream may play beside other streams.
// Stopping a sound means unloading its path, which ends every channel that
// plays it. PlaySound hands out the engine's own channel ids, counting up;
// an id is never handed out while the sound that holds it plays (or is
// paused), so an id reaches the sound it was given for until that ends.
// Finished channels are forgotten by Update. What a channel is heard at is its group
// volume times its channel volume, and changing a group's volume changes the
// channels already playing in it.
//
// Without an engine (before Initialize, after Shutdown, or when no sound
// device opened at all) every operation does nothing and returns -1, false
// or 0.0. A machine without a sound card gets one trace and plays silently.
namespace AudioEngine {

void Initialize();
void Update();
void Shutdown();

// Loads path once; a path already cached keeps its first mode. Only sound
// files under "assets" are read, within the bounds of audio/SoundFile.h, and
// all decoded sounds together stay under 256 MiB. A file that is missing,
// refused or cannot be decoded is traced once and caches nothing. A refused
// or undecodable file stays refused for the run, so that later loads and
// plays of it, however the path is spelled, read nothing and play nothing;
// a missing one is looked for again at its next load.
void LoadSound(const std::string& path, bool loop, bool stream);
// Starts path (loading it as a one-shot sample if it is not cached) and
// returns its channel id. When every channel is busy, or the file plays
// nothing, the id is still taken and returned, and no sound holds it.
int PlaySound(const std::string& path, const std::string& group, float volume, bool paused);
// True while the channel plays or is paused.
bool IsPlaying(int channelId);
// Which start of a sound the id holds while it plays: a number that no
// other start of the engine's life shares, or 0. An owner that kept it can
// tell its own sound from a later one given the same id.
std::uint64_t GetStart(int channelId);
// How many channels play (or are paused) in the group; any name that is not
// one of the three counts the master group.
int CountPlaying(const std::string& group);
void SetPaused(int channelId, bool paused);
void SetChannelVolume(int channelId, float volume);
void UnloadSound(const std::string& path);
float GetGroupVolume(const std::string& group);
void SetGroupVolume(const std::string& group, float volume);

} // namespace AudioEngine
