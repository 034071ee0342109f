#include "render/BasicEmitter.h"

#include "core/Random.h"
#include "render/EmitterMath.h"

#include <cmath>

BasicEmitter::BasicEmitter(float radius, float windX, float windY)
    : mRadius(radius)
    , mWindX(windX)
    , mWindY(windY)
{
}

glm::vec2 BasicEmitter::GetSpawnOffset(const Particle&)
{
    const float angle = Random::Float(0.0f, kTwoPi);
    const float distance = Random::Float(0.0f, mRadius);
    return glm::vec2(std::cos(angle), std::sin(angle)) * distance;
}

glm::vec2 BasicEmitter::GetForce(const Particle&)
{
    return {mWindX, mWindY};
}

void BasicEmitter::Scale(float factor)
{
    mRadius *= factor;
    mWindX *= factor;
    mWindY *= factor;
}

BasicEmitter* BasicEmitter::Clone()
{
    return new BasicEmitter(mRadius, mWindX, mWindY);
}
