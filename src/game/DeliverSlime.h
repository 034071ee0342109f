#pragma once

#include "core/Entity.h"
#include "game/Character.h"

#include <memory>

// A player landed on a normal or golden alien: the alien bursts and is
// gone, and its value goes onto the player's carried slime with a pop-up
// of the new total. A full player sees "FULL!" and the slime that did not
// fit flies back out as a new alien. An alien that is no longer in the
// alien lists (a giant, or one taken already) only bursts.
void DeliverSlime(std::shared_ptr<fb::Entity> alien, Character& character);
