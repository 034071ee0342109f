#pragma once

#include "physics/BoxCollider.h"
#include "physics/CollisionResult.h"

#include <glm/glm.hpp>

namespace fb {

namespace cmp {
class Transform;
}

// One step of dt seconds of a moving body: the acceleration goes into the
// velocity and the velocity moves the transform; the contact, tested where
// the body stood before the step, pushes it out. Returns that contact for
// bodies that answer it.
CollisionResult StepBody(cmp::Transform& transform, BoxCollider* collider, glm::vec2& velocity,
                         glm::vec2 acceleration, float dt);

} // namespace fb
