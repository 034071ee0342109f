#pragma once

#include "core/Transform.h"
#include "game/AISpawnerGlobals.h"

#include <glm/glm.hpp>
#include <vector>

// The normal or golden alien nearest to the point that a player can take
// now (out of its launch phase), or null.
inline const AIType* NearestTakeableAlien(glm::vec2 from)
{
    const AIType* nearest = nullptr;
    float best = 0.0f;
    for (const std::vector<AIType>* list : {&gNormalAliens, &gGoldenAliens}) {
        for (const AIType& alien : *list) {
            if (alien.countdown > 0.0f)
                continue;
            const glm::vec2 at = alien.entity->GetComponent<fb::cmp::Transform>()->GetPosition();
            const float distance = glm::length(at - from);
            if (!nearest || distance < best) {
                nearest = &alien;
                best = distance;
            }
        }
    }
    return nearest;
}
