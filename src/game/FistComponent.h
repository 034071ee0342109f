#pragma once

#include "audio/CharacterEvent.h"
#include "core/Component.h"
#include "core/Subject.h"

namespace fb::cmp {

// A player's fist: a child of the player's body that trails a little behind
// its motion and swings out in the facing direction whenever that player
// punches, hit or miss. It hears the punches on the character channel.
class FistComponent : public Component, public evt::SubjectObserver<evt::CharacterEvent> {
public:
    FistComponent() = default;

    // Follows the parent body, or runs the swing: half a sine wave out to
    // 1.5 units and back over 0.25 s of scaled time.
    void Update() override;
    // A punch of its own player starts the swing again from the beginning.
    void OnNotify(const evt::CharacterEvent& event) override;

    bool IsPunching() const { return mPunching; }

private:
    bool mPunching = false;
    float mSwingPhase = 0.0f;
};

} // namespace fb::cmp
