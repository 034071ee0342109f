#include "physics/AdvancedBody.h"

#include "core/Entity.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "physics/BodyStep.h"
#include "physics/ColliderPool.h"
#include "physics/CollisionQuery.h"

#include <algorithm>
#include <string>

namespace fb::cmp {

namespace {

struct DetectorShape {
    bool bound;
    glm::vec2 center;
    glm::vec2 size;
};

// In the owner's local units: the whole quad, four thin strips on its edges
// and two boxes below and beyond the bottom corners.
constexpr std::array<DetectorShape, AdvancedBody::DetectorCount> kDetectorShapes = {{
    {true, {0.0f, 0.0f}, {1.0f, 1.0f}},
    {false, {0.0f, 0.5f}, {0.6f, 0.1f}},
    {false, {0.0f, -0.5f}, {0.6f, 0.1f}},
    {false, {-0.5f, 0.0f}, {0.05f, 0.6f}},
    {false, {0.5f, 0.0f}, {0.05f, 0.6f}},
    {false, {-0.7f, -0.5f}, {0.3f, 0.5f}},
    {false, {0.7f, -0.5f}, {0.3f, 0.5f}},
}};

} // namespace

AdvancedBody::AdvancedBody(CollisionLayer layer)
    : mCollider(GetBoxCollider())
    , mLayer(layer)
{
    if (!mCollider) {
        Trace("AdvancedBody: the collider pool is exhausted, the body will not collide", 3);
        return;
    }
    mCollider->SetBound(true);
    mCollider->SetLayer(layer);
}

AdvancedBody::~AdvancedBody()
{
    for (auto& entry : mDetectorSets) {
        for (BoxCollider*& detector : entry.second)
            ReturnBoxCollider(detector);
    }
    ReturnBoxCollider(mCollider);
}

void AdvancedBody::Init()
{
    if (mCollider)
        mCollider->SetParent(GetOwner());
}

void AdvancedBody::Update()
{
    std::shared_ptr<Entity> owner = GetOwner().lock();
    if (!owner)
        return;
    std::shared_ptr<Transform> transform = owner->GetComponent<Transform>();
    if (!transform)
        return;

    const float dt = std::min(Time::GetScaledDt(), kMaxStep);
    const CollisionResult contact = StepBody(*transform, mCollider, mVelocity, mAcceleration, dt);
    if (contact.collision)
        RespondToContact(contact.totalMTV);

    if (mNotify)
        NotifyDetections();
}

void AdvancedBody::RespondToContact(const glm::vec2& mtv)
{
    const float speed = glm::length(mVelocity);
    const float depth = glm::length(mtv);
    // Touching boxes give no normal to bounce off; they stop the body instead.
    const bool bounces = mBounce > 0.0f && speed > 0.0f && depth > 0.0f;
    if (!bounces) {
        if (mtv.x != 0.0f) {
            mVelocity.x = 0.0f;
            mVelocity.y *= mFriction;
        }
        if (mtv.y != 0.0f) {
            mVelocity.y = 0.0f;
            mVelocity.x *= mFriction;
        }
        return;
    }
    const glm::vec2 along = mVelocity / speed;
    const glm::vec2 normal = mtv / depth;
    glm::vec2 direction = along + normal;
    if (direction == glm::vec2(0.0f, 0.0f))
        direction = -along;
    mVelocity = mBounce * speed * direction;
}

void AdvancedBody::NotifyDetections()
{
    for (auto& entry : mDetectorSets) {
        for (int index = 0; index < DetectorCount; ++index) {
            CollisionResult result = RunDetection(entry.first, index);
            if (result.collision)
                Notify(AdvancedBodyEvent{entry.first, index, result});
        }
    }
}

void AdvancedBody::SetLayer(int layer, int mask)
{
    mLayer = CollisionLayer(layer, mask);
    if (mCollider)
        mCollider->SetLayer(mLayer);
}

void AdvancedBody::CreateDetectorSet(int key)
{
    if (mDetectorSets.count(key) != 0) {
        Trace("Something tried to create a duplicate Detector Layer", 3);
        return;
    }
    DetectorSet set{};
    int missing = 0;
    for (int index = 0; index < DetectorCount; ++index) {
        BoxCollider* detector = GetBoxCollider();
        if (!detector) {
            ++missing;
            continue;
        }
        const DetectorShape& shape = kDetectorShapes[static_cast<std::size_t>(index)];
        detector->SetBound(shape.bound);
        detector->SetCenter(shape.center);
        detector->SetSize(shape.size);
        detector->SetLayer(CollisionLayer(1, key));
        detector->SetParent(GetOwner());
        set[static_cast<std::size_t>(index)] = detector;
    }
    if (missing > 0)
        Trace("AdvancedBody: the collider pool is exhausted, " + std::to_string(missing) + " detectors of set " +
                  std::to_string(key) + " will report nothing",
              3);
    mDetectorSets.emplace(key, set);
}

CollisionResult AdvancedBody::RunDetection(int key, int detector)
{
    auto found = mDetectorSets.find(key);
    if (found == mDetectorSets.end() || detector < 0 || detector >= DetectorCount)
        return {};
    return RunBoxCollision(found->second[static_cast<std::size_t>(detector)]);
}

bool AdvancedBody::CollisionDetected(int key, int detector)
{
    return RunDetection(key, detector).collision;
}

} // namespace fb::cmp
