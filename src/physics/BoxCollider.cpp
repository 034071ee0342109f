#include "physics/BoxCollider.h"

#include "core/Entity.h"
#include "core/Transform.h"
#include "physics/BroadPhase.h"
#include "render/DebugShapes.h"

#include <algorithm>
#include <limits>

namespace fb {

namespace {

struct Span {
    float min = std::numeric_limits<float>::max();
    float max = std::numeric_limits<float>::lowest();
};

Span Project(const std::array<glm::vec2, 4>& corners, const glm::vec2& axis)
{
    Span span;
    for (const glm::vec2& corner : corners) {
        const float d = glm::dot(corner, axis);
        span.min = std::min(span.min, d);
        span.max = std::max(span.max, d);
    }
    return span;
}

BoxCollider::Bounds BoundsOf(const std::array<glm::vec2, 4>& corners)
{
    BoxCollider::Bounds bounds{corners[0], corners[0]};
    for (std::size_t i = 1; i < corners.size(); ++i) {
        bounds.min = glm::min(bounds.min, corners[i]);
        bounds.max = glm::max(bounds.max, corners[i]);
    }
    return bounds;
}

} // namespace

void BoxCollider::SetCenter(glm::vec2 center)
{
    if (mCenter == center)
        return;
    mCenter = center;
    if (mInUse)
        BroadPhase::Touch(*this);
}

void BoxCollider::SetSize(glm::vec2 size)
{
    if (mSize == size)
        return;
    mSize = size;
    if (mInUse)
        BroadPhase::Touch(*this);
}

void BoxCollider::SetLayer(CollisionLayer layer)
{
    if (mLayer.layer == layer.layer && mLayer.mask == layer.mask)
        return;
    mLayer = layer;
    if (mInUse)
        BroadPhase::Touch(*this);
}

void BoxCollider::SetBound(bool bound)
{
    if (mBound == bound)
        return;
    mBound = bound;
    if (mInUse)
        BroadPhase::Touch(*this);
}

void BoxCollider::SetParent(std::weak_ptr<Entity> parent)
{
    // Before the cached Transform may go: the grid lets go of it first.
    if (mInUse)
        BroadPhase::Touch(*this);
    mParent = std::move(parent);
    std::shared_ptr<Entity> entity = mParent.lock();
    mHadLiveParent = entity != nullptr;
    if (entity)
        mTransform = entity->GetComponent<cmp::Transform>();
}

void BoxCollider::UpdateCorners()
{
    if (mBound) {
        mCorners = {glm::vec2(-0.5f, -0.5f), glm::vec2(-0.5f, 0.5f), glm::vec2(0.5f, 0.5f), glm::vec2(0.5f, -0.5f)};
    } else {
        const glm::vec2 low = mCenter - mSize / 2.0f;
        mCorners = {low, low + glm::vec2(0.0f, mSize.y), low + mSize, low + glm::vec2(mSize.x, 0.0f)};
    }
    if (mParent.expired() || !mTransform)
        return;
    const glm::mat3& m = mTransform->GetMatrix();
    for (glm::vec2& corner : mCorners)
        corner = glm::vec2(m * glm::vec3(corner, 1.0f));
}

BoxCollider::Bounds BoxCollider::GetBounds() const
{
    return BoundsOf(mCorners);
}

std::optional<glm::mat3> BoxCollider::GetOutlineMatrix() const
{
    std::shared_ptr<Entity> parent = mParent.lock();
    if (!parent)
        return std::nullopt;
    std::shared_ptr<cmp::Transform> transform = parent->GetComponent<cmp::Transform>();
    if (!transform)
        return std::nullopt;
    const glm::mat3& world = transform->GetMatrix();
    if (mBound)
        return world;
    glm::mat3 placement(1.0f);
    placement[0][0] = mSize.x;
    placement[1][1] = mSize.y;
    placement[2] = glm::vec3(mCenter, 1.0f);
    return world * placement;
}

void BoxCollider::DebugDraw() const
{
    const std::optional<glm::mat3> outline = GetOutlineMatrix();
    if (!outline)
        return;
    Render::SetTransform(*outline);
    Render::SetColor({1.0f, 0.0f, 0.0f});
    Render::DrawShape();
}

BoxCollider::Overlap BoxCollider::TestOverlap(BoxCollider& other)
{
    UpdateCorners();
    other.UpdateCorners();
    return TestCornersOverlap(other);
}

BoxCollider::Overlap BoxCollider::TestCornersOverlap(const BoxCollider& other) const
{
    // Boxes whose bounds are apart are apart; most pairs end here.
    const BoxCollider::Bounds mine = BoundsOf(mCorners);
    const BoxCollider::Bounds theirs = BoundsOf(other.mCorners);
    if (mine.max.x < theirs.min.x || theirs.max.x < mine.min.x || mine.max.y < theirs.min.y ||
        theirs.max.y < mine.min.y)
        return {};

    const std::array<glm::vec2, 4> edges = {mCorners[3] - mCorners[0], mCorners[1] - mCorners[0],
                                            other.mCorners[3] - other.mCorners[0],
                                            other.mCorners[1] - other.mCorners[0]};
    glm::vec2 bestAxis{0.0f, 0.0f};
    float bestOverlap = 0.0f;
    float bestMaxA = 0.0f;
    float bestMaxB = 0.0f;
    for (std::size_t i = 0; i < edges.size(); ++i) {
        const float length = glm::length(edges[i]);
        // A flat box has no direction to push along.
        if (!(length > 0.0f))
            return {};
        const glm::vec2 axis = edges[i] / length;
        const Span a = Project(mCorners, axis);
        const Span b = Project(other.mCorners, axis);
        const float lo = std::max(a.min, b.min);
        const float hi = std::min(a.max, b.max);
        if (lo > hi)
            return {};
        const float overlap = hi - lo;
        if (i == 0 || overlap < bestOverlap) {
            bestAxis = axis;
            bestOverlap = overlap;
            bestMaxA = a.max;
            bestMaxB = b.max;
        }
    }
    glm::vec2 mtv = bestAxis * bestOverlap;
    if (bestMaxA > bestMaxB)
        mtv = -mtv;
    return {true, mtv};
}

} // namespace fb
