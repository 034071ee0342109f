#include "render/SquareEmitter.h"

#include "core/Random.h"

SquareEmitter::SquareEmitter(const glm::vec2& size, const glm::vec2& wind)
    : mSizeX(size.x)
    , mSizeY(size.y)
    , mWindX(wind.x)
    , mWindY(wind.y)
{
}

glm::vec2 SquareEmitter::GetSpawnOffset(const Particle&)
{
    const float x = Random::Float(-mSizeX, mSizeX);
    const float y = Random::Float(-mSizeY, mSizeY);
    return {x, y};
}

glm::vec2 SquareEmitter::GetForce(const Particle&)
{
    return {mWindX, mWindY};
}

void SquareEmitter::ScaleXY(const glm::vec2& factors)
{
    mSizeX *= factors.x;
    mSizeY *= factors.y;
}

SquareEmitter* SquareEmitter::Clone()
{
    return new SquareEmitter({mSizeX, mSizeY}, {mWindX, mWindY});
}
