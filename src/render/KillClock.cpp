#include "render/KillClock.h"

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Time.h"

KillClock::KillClock(float seconds, bool useUnscaledTime)
    : mTimeLeft(seconds)
    , mUseUnscaledTime(useUnscaledTime)
{
}

void KillClock::Update()
{
    mTimeLeft -= mUseUnscaledTime ? Time::GetDt() : Time::GetScaledDt();
    if (mTimeLeft < 0.0f) {
        if (std::shared_ptr<fb::Entity> owner = GetOwner().lock())
            EntityManager::Remove(owner);
    }
}

KillClock* KillClock::Clone()
{
    return new KillClock(mTimeLeft, mUseUnscaledTime);
}
