#pragma once

#include "core/Component.h"

// Removes its entity once its seconds have run out (strictly below 0),
// asking again each frame until the entity is gone. It counts scaled time,
// which a pause (time scale 0) stops, or real time for an effect that runs
// on real time.
class KillClock : public fb::cmp::Component {
public:
    explicit KillClock(float seconds, bool useUnscaledTime = false);

    void Update() override;
    // The same time left, for no owner yet.
    KillClock* Clone() override;

    float GetTimeLeft() const { return mTimeLeft; }

private:
    float mTimeLeft;
    bool mUseUnscaledTime;
};
