#include "game/WrapperObject.h"

#include "core/Entity.h"
#include "game/Players.h"
#include "level/Level.h"
#include "render/ParticleEffects.h"

namespace {

// The tiles on each side that do not count as inside.
constexpr float kBorder = 3.0f;

// Where the body of that entity comes back after leaving at `wrapped`.
glm::vec2 ReturnPoint(const std::shared_ptr<fb::Entity>& owner, glm::vec2 wrapped)
{
    for (int i = 0; i < GetPlayerCount(); ++i) {
        if (GetPlayer(i)->GetEntity() == owner)
            return GetSpawnPointFor(i).value_or(glm::vec2(0.0f, 0.0f));
    }
    return wrapped;
}

} // namespace

WrapperObject::WrapperObject(float margin)
    : mMargin(margin)
{
}

void WrapperObject::Init()
{
    if (std::shared_ptr<fb::Entity> owner = GetOwner().lock())
        mTransform = owner->GetComponent<fb::cmp::Transform>();
}

void WrapperObject::OnComponentAdded(std::weak_ptr<fb::cmp::Component> added)
{
    if (auto transform = std::dynamic_pointer_cast<fb::cmp::Transform>(added.lock()))
        mTransform = transform;
}

void WrapperObject::Update()
{
    const auto [width, height] = GetLevelSize();
    if (!mTransform || width <= kBorder || height <= kBorder)
        return;
    const glm::vec2 p = mTransform->GetPosition();
    const float halfX = (static_cast<float>(width) - kBorder) / 2.0f;
    const float halfY = (static_cast<float>(height) - kBorder) / 2.0f;
    const float spanX = (static_cast<float>(width) - kBorder) - 2.0f * mMargin;
    const float spanY = (static_cast<float>(height) - kBorder) - 2.0f * mMargin;

    glm::vec2 wrapped = p;
    if (p.x + mMargin > halfX + 0.5f)
        wrapped.x = p.x - spanX;
    else if (p.x - mMargin < 0.5f - halfX)
        wrapped.x = p.x + spanX;
    if (p.y > halfY + 0.5f)
        wrapped.y = p.y - spanY;
    else if (p.y < 0.5f - halfY)
        wrapped.y = p.y + spanY;
    if (wrapped == p)
        return;

    const glm::vec2 target = ReturnPoint(GetOwner().lock(), wrapped);
    MakeStreak("Streak", 2.0f, p, true, target, 0.1f, false);
    MakeParticle("DravikHit", 6.0f, target, true);
    MakeParticle("DravikHit", 6.0f, p, false);
    mTransform->SetPosition(target);
}

WrapperObject* WrapperObject::Clone()
{
    auto* copy = new WrapperObject(mMargin);
    copy->mTransform = mTransform;
    return copy;
}
