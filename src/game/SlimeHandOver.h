#pragma once

#include "core/Entity.h"

#include <glm/glm.hpp>
#include <memory>

// A punched giant alien: its hit points drop by `count`; it shrinks by a
// fifteenth, or dies when they run out, and throws out `count` aliens (now
// and then a golden one), the first with `velocity`, the rest at random.
// A giant that is not in the alien lists is left alone.
void SpawnAlienForPlayer(std::shared_ptr<fb::Entity> giant, int count, glm::vec2 velocity);
