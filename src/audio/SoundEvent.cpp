#include "audio/SoundEvent.h"

#include "audio/AudioEngine.h"

#include <utility>

namespace fb {

SoundEvent::SoundEvent() = default;

SoundEvent::SoundEvent(std::string name, std::string file, std::string group, float volume, bool stream, bool loop)
    : mFile(std::move(file))
    , mName(std::move(name))
    , mGroup(std::move(group))
    , mVolume(volume)
    , mStream(stream)
    , mLoop(loop)
    , mOwners(std::make_shared<const int>(0))
{
}

SoundEvent::~SoundEvent()
{
    ReleaseFile();
}

SoundEvent::SoundEvent(const SoundEvent& other) = default;

SoundEvent::SoundEvent(SoundEvent&& other) noexcept
    : mFile(std::exchange(other.mFile, std::string()))
    , mName(std::move(other.mName))
    , mGroup(std::move(other.mGroup))
    , mVolume(other.mVolume)
    , mChannel(other.mChannel)
    , mStart(other.mStart)
    , mStream(other.mStream)
    , mLoop(other.mLoop)
    , mOwners(std::move(other.mOwners))
{
}

SoundEvent& SoundEvent::operator=(const SoundEvent& other)
{
    if (this != &other) {
        SoundEvent copy(other);
        *this = std::move(copy);
    }
    return *this;
}

SoundEvent& SoundEvent::operator=(SoundEvent&& other) noexcept
{
    if (this != &other) {
        ReleaseFile();
        mFile = std::exchange(other.mFile, std::string());
        mName = std::move(other.mName);
        mGroup = std::move(other.mGroup);
        mVolume = other.mVolume;
        mChannel = other.mChannel;
        mStart = other.mStart;
        mStream = other.mStream;
        mLoop = other.mLoop;
        mOwners = std::move(other.mOwners);
    }
    return *this;
}

void SoundEvent::ReleaseFile()
{
    // Copies that live on keep playing; the last one unloads.
    if (!mFile.empty() && (!mOwners || mOwners.use_count() == 1))
        AudioEngine::UnloadSound(mFile);
    mOwners.reset();
}

void SoundEvent::Play()
{
    AudioEngine::LoadSound(mFile, mLoop, mStream);
    mChannel = AudioEngine::PlaySound(mFile, mGroup, mVolume, false);
    mStart = AudioEngine::GetStart(mChannel);
}

void SoundEvent::Stop()
{
    AudioEngine::UnloadSound(mFile);
}

void SoundEvent::Pause()
{
    if (IsPlaying())
        AudioEngine::SetPaused(mChannel, true);
}

bool SoundEvent::IsPlaying() const
{
    return mStart != 0 && AudioEngine::GetStart(mChannel) == mStart;
}

int SoundEvent::GetChannel() const
{
    return mChannel;
}

const std::string& SoundEvent::GetName() const
{
    return mName;
}

const std::string& SoundEvent::GetFile() const
{
    return mFile;
}

const std::string& SoundEvent::GetGroup() const
{
    return mGroup;
}

float SoundEvent::GetVolume() const
{
    return mVolume;
}

bool SoundEvent::GetStream() const
{
    return mStream;
}

bool SoundEvent::GetLoop() const
{
    return mLoop;
}

void SoundEvent::SetFile(std::string file)
{
    mFile = std::move(file);
    // A new file is this event's own, whatever copies hold the old one.
    mOwners = std::make_shared<const int>(0);
}

void SoundEvent::SetGroup(std::string group)
{
    mGroup = std::move(group);
}

void SoundEvent::SetStream(bool stream)
{
    mStream = stream;
}

void SoundEvent::SetLoop(bool loop)
{
    mLoop = loop;
    if (!mFile.empty())
        AudioEngine::UnloadSound(mFile);
}

void SoundEvent::SetVolume(float volume)
{
    mVolume = volume;
    // Only a channel this event started: a stale id may belong to another sound by now.
    if (IsPlaying())
        AudioEngine::SetChannelVolume(mChannel, volume);
}

} // namespace fb
