#include "render/AbsorbEmitter.h"

#include "core/Entity.h"
#include "core/Random.h"
#include "render/EmitterMath.h"

#include <cmath>

AbsorbEmitter::AbsorbEmitter(float radius, float pull)
    : mRadius(radius)
    , mPull(pull)
{
}

void AbsorbEmitter::Init()
{
    if (std::shared_ptr<fb::Entity> owner = GetOwner().lock())
        mTarget = owner->GetComponent<fb::cmp::Transform>();
}

void AbsorbEmitter::OnComponentAdded(std::weak_ptr<fb::cmp::Component> added)
{
    if (auto transform = std::dynamic_pointer_cast<fb::cmp::Transform>(added.lock()))
        mTarget = transform;
}

glm::vec2 AbsorbEmitter::GetSpawnOffset(const Particle&)
{
    const float angle = Random::Float(0.0f, kTwoPi);
    return glm::vec2(std::cos(angle), std::sin(angle)) * mRadius;
}

glm::vec2 AbsorbEmitter::GetForce(const Particle& particle)
{
    std::shared_ptr<fb::cmp::Transform> target = mTarget.lock();
    if (!target)
        return {0.0f, 0.0f};
    const glm::vec2 toTarget = target->GetPosition() - particle.position;
    const float distance = glm::length(toTarget);
    if (distance <= 0.0f)
        return {0.0f, 0.0f};
    return toTarget / distance * mPull;
}

void AbsorbEmitter::Scale(float factor)
{
    mRadius *= factor;
    mPull *= factor;
}

AbsorbEmitter* AbsorbEmitter::Clone()
{
    return new AbsorbEmitter(mRadius, mPull);
}
