#include "audio/SoundBinder.h"

#include "core/EventChannels.h"

#include <utility>

namespace fb {

SoundBinderCharacterListener::SoundBinderCharacterListener(SoundBinder* binder)
    : mBinder(binder)
{
}

void SoundBinderCharacterListener::OnNotify(const evt::CharacterEvent& event)
{
    mBinder->OnEvent(event.GetName());
}

SoundBinderGameListener::SoundBinderGameListener(SoundBinder* binder)
    : mBinder(binder)
{
}

void SoundBinderGameListener::OnNotify(const evt::GameEvent& event)
{
    mBinder->OnEvent(event.GetName());
}

SoundBinder::SoundBinder()
    : mCharacterListener(std::make_shared<SoundBinderCharacterListener>(this))
    , mGameListener(std::make_shared<SoundBinderGameListener>(this))
{
    evt::CharacterEventSubject::Get()->Attach(std::weak_ptr<SoundBinderCharacterListener>(mCharacterListener));
    evt::GameEventSubject::Get()->Attach(std::weak_ptr<SoundBinderGameListener>(mGameListener));
}

// The listeners go first, so that no event reaches a set being destroyed.
SoundBinder::~SoundBinder()
{
    mCharacterListener.reset();
    mGameListener.reset();
}

bool SoundBinder::LoadFile(std::string file)
{
    SoundSet& set = mSets.emplace_back();
    set.Parse(file);
    return set.GetType() != SoundSetType::ErrorNoType;
}

SoundSet* SoundBinder::FindSet(const std::string& setName)
{
    for (SoundSet& set : mSets) {
        if (set.GetName() == setName)
            return &set;
    }
    return nullptr;
}

void SoundBinder::GetSetNames(std::vector<std::string>& names) const
{
    names.clear();
    for (const SoundSet& set : mSets)
        names.push_back(set.GetName());
}

void SoundBinder::OnEvent(const std::string& eventName)
{
    for (SoundSet& set : mSets)
        set.OnEvent(eventName);
}

} // namespace fb
