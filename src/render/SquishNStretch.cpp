#include "render/SquishNStretch.h"

#include "core/Entity.h"
#include "core/Random.h"
#include "core/Time.h"
#include "core/Trace.h"

#include <cmath>

namespace {

constexpr double kHalfTurn = 3.14159;

} // namespace

SquishNStretch::SquishNStretch(float speed, float amplitude)
    : mMode(Random::Int(0, 5))
    , mAmplitude(amplitude)
    , mSpeed(speed)
{
    Assert(std::isfinite(speed) && speed > 0.0f, "Abnormal Squish And Stretch effect made");
}

void SquishNStretch::Init()
{
    if (std::shared_ptr<fb::Entity> owner = GetOwner().lock())
        TakeTransform(owner->GetComponent<fb::cmp::Transform>());
}

void SquishNStretch::OnComponentAdded(std::weak_ptr<fb::cmp::Component> added)
{
    if (auto transform = std::dynamic_pointer_cast<fb::cmp::Transform>(added.lock()))
        TakeTransform(transform);
}

void SquishNStretch::TakeTransform(std::shared_ptr<fb::cmp::Transform> transform)
{
    if (!transform)
        return;
    mTransform = std::move(transform);
    mBase = mTransform->GetScale();
}

void SquishNStretch::Update()
{
    mTime += Time::GetScaledDt();
    if (!mTransform)
        return;
    const float a = mSpeed * mTime;
    const float bx = mBase.x;
    const float by = mBase.y;
    const float swingX = mAmplitude * bx;
    const float swingY = mAmplitude * by;
    double sx = bx;
    double sy = by;
    switch (mMode) {
    case 0:
        sx = bx + swingX * std::cos(static_cast<double>(a));
        sy = by + swingY * std::sin(static_cast<double>(a));
        break;
    case 1:
        sx = bx - swingX * std::cos(static_cast<double>(2.0f * a));
        sy = by + swingY * std::sin(static_cast<double>(a));
        break;
    case 2:
        sx = bx + swingX * std::sin(static_cast<double>(a));
        sy = by + swingY * std::sin(a + kHalfTurn);
        break;
    case 3:
        sx = bx + swingX * std::sin(static_cast<double>(a));
        sy = by + swingY * std::cos(static_cast<double>(a));
        break;
    case 4:
        sx = bx - swingX * std::sin(static_cast<double>(2.0f * a));
        sy = by + swingY * std::cos(static_cast<double>(a));
        break;
    default:
        sx = bx + swingX * std::cos(static_cast<double>(a));
        sy = by + swingY * std::cos(a + kHalfTurn);
        break;
    }
    mTransform->SetScale(glm::vec2(static_cast<float>(sx), static_cast<float>(sy)));
}

SquishNStretch* SquishNStretch::Clone()
{
    return new SquishNStretch(*this);
}

void SquishNStretch::Trigger(glm::vec2 scale)
{
    if (mTransform)
        mTransform->SetScale(scale);
    mBase = scale;
}
