#pragma once

#include "core/Component.h"

// Removes its entity once its seconds of scaled time have run out (strictly
// below 0), asking again each frame until the entity is gone. A pause (time
// scale 0) stops it.
class KillClock : public fb::cmp::Component {
public:
    explicit KillClock(float seconds);

    void Update() override;
    // The same time left, for no owner yet.
    KillClock* Clone() override;

    float GetTimeLeft() const { return mTimeLeft; }

private:
    float mTimeLeft;
};
