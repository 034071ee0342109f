#include "physics/BasicBody.h"

#include "core/Entity.h"
#include "core/Transform.h"
#include "physics/BodyStep.h"
#include "physics/ColliderPool.h"

namespace fb::cmp {

BasicBody::BasicBody(glm::vec2 velocity, glm::vec2 acceleration, CollisionLayer layer)
    : mLayer(layer)
    , mVelocity(velocity)
    , mAcceleration(acceleration)
{
}

BasicBody::~BasicBody()
{
    Exit();
}

void BasicBody::Update()
{
    std::shared_ptr<Entity> owner = GetOwner().lock();
    if (!owner)
        return;
    std::shared_ptr<Transform> transform = owner->GetComponent<Transform>();
    if (!transform)
        return;
    if (!mCollider) {
        mCollider = GetBoxCollider();
        if (!mCollider)
            return;
        mCollider->SetParent(owner);
        mCollider->SetSize(transform->GetScale());
        mCollider->SetLayer(mLayer);
        mCollider->SetBound(true);
    }

    StepBody(*transform, mCollider, mVelocity, mAcceleration, kStep);
}

void BasicBody::Exit()
{
    ReturnBoxCollider(mCollider);
}

} // namespace fb::cmp
