#include "render/StreakEmitter.h"

#include "core/Entity.h"
#include "core/Random.h"
#include "core/Time.h"
#include "core/Transform.h"

#include <algorithm>

StreakEmitter::StreakEmitter(const glm::vec2& start, const glm::vec2& end, float jitter, float t0, float t1,
                             float duration)
    : mStart(start)
    , mEnd(end)
    , mJitter(jitter)
    , mT0(t0)
    , mT1(t1)
    , mDuration(duration)
{
}

void StreakEmitter::Init()
{
    std::shared_ptr<fb::Entity> owner = GetOwner().lock();
    if (!owner)
        return;
    if (auto transform = owner->GetComponent<fb::cmp::Transform>())
        mStart = transform->GetPosition();
}

void StreakEmitter::Update()
{
    mT0 = mT1;
    mT1 = std::min(mT1 + Time::GetDt(), mDuration);
}

glm::vec2 StreakEmitter::GetSpawnOffset(const Particle&)
{
    // A streak without a duration is over at once: everything at the end.
    const float along = mDuration > 0.0f ? Random::Float(mT0, mT1) / mDuration : 1.0f;
    glm::vec2 offset = (mEnd - mStart) * along;
    if (mT1 != mDuration) {
        const float x = Random::Float(-mJitter, mJitter);
        const float y = Random::Float(-mJitter, mJitter);
        offset += glm::vec2(x, y);
    }
    return offset;
}

glm::vec2 StreakEmitter::GetForce(const Particle&)
{
    return {0.0f, 0.0f};
}

StreakEmitter* StreakEmitter::Clone()
{
    return new StreakEmitter(mStart, mEnd, mJitter, mT0, mT1, mDuration);
}
