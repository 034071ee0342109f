#pragma once

#include <cstdint>

namespace fb {

// Which bits a collider is on and which bits it reacts to. The named bits
// are base 1, world 2, team1 4, team2 8, goal 16, misc 32, slime 64, and 128
// for jump-through platforms.
struct CollisionLayer {
    CollisionLayer() = default;
    CollisionLayer(std::int32_t layerBits, std::int32_t maskBits)
        : layer(layerBits)
        , mask(maskBits)
    {
    }

    // One-sided: true when the other's layer bits meet this mask, whatever
    // the other's mask says.
    bool Collides(const CollisionLayer& other) const { return (other.layer & mask) != 0; }

    std::int32_t layer = 1;
    std::int32_t mask = 0;
};

} // namespace fb
