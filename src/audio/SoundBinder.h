#pragma once

#include "audio/CharacterEvent.h"
#include "audio/GameEvent.h"
#include "audio/SoundSet.h"
#include "core/Subject.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace fb {

class SoundBinder;

class SoundBinderCharacterListener : public evt::SubjectObserver<evt::CharacterEvent> {
public:
    explicit SoundBinderCharacterListener(SoundBinder* binder);
    void OnNotify(const evt::CharacterEvent& event) override;

private:
    SoundBinder* mBinder;
};

class SoundBinderGameListener : public evt::SubjectObserver<evt::GameEvent> {
public:
    explicit SoundBinderGameListener(SoundBinder* binder);
    void OnNotify(const evt::GameEvent& event) override;

private:
    SoundBinder* mBinder;
};

// Plays the sounds that the loaded sound sets bind to character and game
// events. It listens on both event channels from construction until it is
// destroyed; every event reaches every set, in load order.
class SoundBinder {
public:
    SoundBinder();
    ~SoundBinder();
    SoundBinder(const SoundBinder&) = delete;
    SoundBinder& operator=(const SoundBinder&) = delete;

    // Appends the sound set of "assets/json/" + file. The set joins the list
    // even when the file could not be read (as "ERROR"); false then.
    bool LoadFile(std::string file);

    // The first set of that name, or null. Sets stay where they are for the
    // binder's life.
    SoundSet* FindSet(const std::string& setName);
    // Clears names, then appends every set's name in load order.
    void GetSetNames(std::vector<std::string>& names) const;

    // Passes an event's name to every set.
    void OnEvent(const std::string& eventName);

private:
    std::deque<SoundSet> mSets;
    std::shared_ptr<SoundBinderCharacterListener> mCharacterListener;
    std::shared_ptr<SoundBinderGameListener> mGameListener;
};

} // namespace fb
