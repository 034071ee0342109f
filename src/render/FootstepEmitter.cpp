#include "render/FootstepEmitter.h"

#include "core/Random.h"

FootstepEmitter::FootstepEmitter(float width, float groundY, float strength)
    : mWidth(width)
    , mGroundY(groundY)
    , mStrength(strength)
{
}

glm::vec2 FootstepEmitter::GetSpawnOffset(const Particle&)
{
    return {Random::Float(-mWidth, mWidth), 0.0f};
}

glm::vec2 FootstepEmitter::GetForce(const Particle& particle)
{
    const float k = mStrength / 0.025f;
    return {0.2f * k * particle.position.x, 0.2f * k * (particle.position.y - mGroundY) - 2.0f * k};
}

FootstepEmitter* FootstepEmitter::Clone()
{
    return new FootstepEmitter(mWidth, mGroundY, mStrength);
}
