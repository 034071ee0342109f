#include "audio/SoundBinding.h"

#include <utility>

namespace fb {

SoundBinding::SoundBinding(std::string name, std::string file, std::string eventStart, std::string eventEnd, bool loop,
                           float volume)
    : mSound(name, file, "Effects", volume, false, loop)
    , mName(std::move(name))
    , mFile(std::move(file))
    , mEventStart(std::move(eventStart))
    , mEventEnd(std::move(eventEnd))
    , mLoop(loop)
    , mVolume(volume)
{
}

std::string SoundBinding::GetName() const
{
    return mName;
}

std::string SoundBinding::GetFile() const
{
    return mFile;
}

std::string SoundBinding::GetEventStart() const
{
    return mEventStart;
}

std::string SoundBinding::GetEventEnd() const
{
    return mEventEnd;
}

bool SoundBinding::GetLoop() const
{
    return mLoop;
}

float SoundBinding::GetVolume() const
{
    return mVolume;
}

void SoundBinding::SetFile(std::string file)
{
    mFile = file;
    mSound.SetFile(std::move(file));
}

void SoundBinding::SetLoop(bool loop)
{
    mLoop = loop;
    mSound.Pause();
    mSound.SetLoop(loop);
}

void SoundBinding::SetVolume(float volume)
{
    mVolume = volume;
    mSound.SetVolume(volume);
}

void SoundBinding::OnEvent(const std::string& name)
{
    if (name.empty())
        return;
    if (name == mEventStart)
        mSound.Play();
    if (name == mEventEnd)
        mSound.Pause();
}

} // namespace fb
