#pragma once

#include "physics/CollisionResult.h"

namespace fb::cmp {

// One detector of an advanced body that touched something.
struct AdvancedBodyEvent {
    int key = 0;
    int detector = 0;
    CollisionResult result;
};

} // namespace fb::cmp
