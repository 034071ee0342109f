#include "render/PunchFX.h"

#include "core/Entity.h"
#include "core/Time.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

// The squash over the effect, from 0 to 1 of the stretch: one smooth swell
// that peaks at half time and is back to 0 at the end.
double Swell(double elapsed, double duration)
{
    if (duration <= 0.0)
        return 0.0;
    const double t = elapsed / (duration * 0.5);
    const double phase = t < 1.0 ? 2.0 - t : t;
    return std::sin(phase * kPi / 2.0);
}

} // namespace

PunchFX::PunchFX(float flashFrequency, float stretch, float duration)
    : mDuration(duration)
    , mStretch(stretch)
    , mFlashFrequency(flashFrequency)
{
}

void PunchFX::Init()
{
    std::shared_ptr<fb::Entity> owner = GetOwner().lock();
    if (!owner)
        return;
    mTransform = owner->GetComponent<fb::cmp::Transform>();
    mSprite = owner->GetComponent<Sprite>();
    if (mTransform)
        mBaseScale = mTransform->GetScale();
}

void PunchFX::OnComponentAdded(std::weak_ptr<fb::cmp::Component> added)
{
    if (auto transform = std::dynamic_pointer_cast<fb::cmp::Transform>(added.lock())) {
        mTransform = transform;
        mBaseScale = transform->GetScale();
    }
}

void PunchFX::Update()
{
    mElapsed += Time::GetScaledDt();
    if (mElapsed > mDuration) {
        if (std::shared_ptr<fb::Entity> owner = GetOwner().lock())
            owner->RemoveComponent<PunchFX>();
        return;
    }
    if (mTransform) {
        const double s = Swell(mElapsed, mDuration) * mStretch;
        mTransform->SetScale(static_cast<float>((1.0 - s) * mBaseScale.x),
                             static_cast<float>((1.0 + s) * mBaseScale.y));
    }
    if (mSprite) {
        const double pulse = std::cos(2.0 * mFlashFrequency * kPi * mElapsed);
        mSprite->SetOpacity(static_cast<float>((pulse + 1.0) * 0.5));
    }
}

void PunchFX::Exit()
{
    if (mTransform)
        mTransform->SetScale(mBaseScale);
    if (mSprite)
        mSprite->SetOpacity(1.0f);
}
