#include "physics/StaticBody.h"

#include "core/ComponentFactory.h"
#include "core/Entity.h"
#include "core/Transform.h"
#include "physics/ColliderPool.h"

namespace fb::cmp {

namespace {

// "StaticBody" reads no keys from its archetype entry.
ComponentFactory::Registration gRegistration("StaticBody", [](const rapidjson::Value&) -> std::shared_ptr<Component> {
    return std::make_shared<StaticBody>();
});

} // namespace

StaticBody::~StaticBody()
{
    Exit();
}

void StaticBody::Update()
{
    std::shared_ptr<Entity> owner = GetOwner().lock();
    if (!owner || !owner->GetComponent<Transform>())
        return;
    if (!mCollider) {
        mCollider = GetBoxCollider();
        if (!mCollider)
            return;
        mCollider->SetParent(owner);
        // Its mask holds "base", so its own queries find nothing.
        mCollider->SetLayer(CollisionLayer(2, 1));
    }
    mCollider->SetBound(true);
}

void StaticBody::Exit()
{
    ReturnBoxCollider(mCollider);
}

} // namespace fb::cmp
