#include "level/JumpThruPlat.h"

#include "core/Trace.h"
#include "physics/ColliderPool.h"

namespace {

constexpr int kPlatformBit = 128;

} // namespace

JumpThruPlat::~JumpThruPlat()
{
    Exit();
}

void JumpThruPlat::Init()
{
    if (mCollider)
        return;
    mCollider = GetBoxCollider();
    if (!mCollider) {
        Trace("JumpThruPlat: the collider pool is exhausted, the platform will not be there", 3);
        return;
    }
    mCollider->SetParent(GetOwner());
    mCollider->SetSize({1.0f, 0.5f});
    mCollider->SetCenter({0.0f, 0.5f});
    mCollider->SetLayer(fb::CollisionLayer(kPlatformBit, 0));
    mCollider->SetBound(false);
}

void JumpThruPlat::Update()
{
    if (mCollider)
        mCollider->SetSize({1.0f, 0.1f});
}

void JumpThruPlat::Exit()
{
    ReturnBoxCollider(mCollider);
}

fb::cmp::Component* JumpThruPlat::Clone()
{
    JumpThruPlat* copy = new JumpThruPlat();
    copy->SetOwner(GetOwner());
    return copy;
}
