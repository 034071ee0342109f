#include "physics/BodyStep.h"

#include "core/Transform.h"
#include "physics/CollisionQuery.h"

namespace fb {

CollisionResult StepBody(cmp::Transform& transform, BoxCollider* collider, glm::vec2& velocity,
                         glm::vec2 acceleration, float dt)
{
    velocity += acceleration * dt;
    glm::vec2 position = transform.GetPosition() + velocity * dt;
    const CollisionResult contact = RunBoxCollision(collider);
    if (contact.collision)
        position += contact.totalMTV;
    transform.SetPosition(position);
    return contact;
}

} // namespace fb
