#include "render/ElipticalEmitter.h"

#include <cmath>

ElipticalEmitter::ElipticalEmitter(float sizeX, float sizeY, float windX, float windY)
    : mSizeX(sizeX)
    , mSizeY(sizeY)
    , mWindX(windX)
    , mWindY(windY)
{
}

glm::vec2 ElipticalEmitter::GetSpawnOffset(const Particle& particle)
{
    const float angle = std::atan2(particle.velocity.y, particle.velocity.x);
    return {std::cos(angle) * mSizeX, std::sin(angle) * mSizeY};
}

glm::vec2 ElipticalEmitter::GetForce(const Particle&)
{
    return {mWindX, mWindY};
}

void ElipticalEmitter::Scale(float factor)
{
    mSizeX *= factor;
    mSizeY *= factor;
    mWindX *= factor;
    mWindY *= factor;
}

ElipticalEmitter* ElipticalEmitter::Clone()
{
    return new ElipticalEmitter(mSizeX, mSizeY, mWindX, mWindY);
}
