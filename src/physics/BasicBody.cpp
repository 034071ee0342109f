#include "physics/BasicBody.h"

#include "core/Entity.h"
#include "core/Transform.h"
#include "physics/ColliderPool.h"
#include "physics/CollisionQuery.h"

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

    mVelocity += mAcceleration * kStep;
    glm::vec2 position = transform->GetPosition() + mVelocity * kStep;
    // Tested where the body stands before the move.
    const CollisionResult contact = RunBoxCollision(mCollider);
    if (contact.collision)
        position += contact.totalMTV;
    transform->SetPosition(position);
}

void BasicBody::Exit()
{
    if (!mCollider)
        return;
    FreeBoxCollider(mCollider->GetID());
    mCollider = nullptr;
}

} // namespace fb::cmp
