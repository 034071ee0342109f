#include "core/Timer.h"

Timer::Timer(float duration)
    : mRemaining(duration)
    , mDuration(duration)
{
}

void Timer::Update(float step)
{
    if (mDone)
        return;
    mRemaining -= step;
    if (mRemaining <= 0.0f)
        mDone = true;
}

void Timer::Reset()
{
    mRemaining = mDuration;
    mDone = false;
}
