#include "render/CircularZone.h"

#include "core/Random.h"
#include "render/EmitterMath.h"

#include <cmath>

namespace {

// The point every zone circles.
const glm::vec2 kCentre{0.0f, 0.0f};
// Inside this distance particles swirl, outside it they are pulled in.
constexpr float kSwirlDistance = 0.9f;
constexpr float kStrength = 8.0f;

} // namespace

CircularZone::CircularZone(float radius)
    : mRadius(radius)
{
}

glm::vec2 CircularZone::GetSpawnOffset(const Particle&)
{
    const float angle = Random::Float(0.0f, kTwoPi);
    return {std::sin(angle) * mRadius + kCentre.x, std::cos(angle) * mRadius + kCentre.y};
}

glm::vec2 CircularZone::GetForce(const Particle& particle)
{
    const glm::vec2 toCentre = kCentre - particle.position;
    if (glm::length(toCentre) < kSwirlDistance)
        return kStrength * glm::vec2(-toCentre.y, toCentre.x);
    return kStrength * toCentre;
}

CircularZone* CircularZone::Clone()
{
    return new CircularZone(mRadius);
}
