#include "game/WrapperObject.h"

#include "core/Entity.h"
#include "game/Players.h"
#include "level/Level.h"
#include "level/WrapBounds.h"
#include "physics/AdvancedBody.h"
#include "render/ParticleEffects.h"

#include <optional>
#include <vector>

namespace {

// The index of the player whose entity that is, if any.
std::optional<int> PlayerIndexOf(const std::shared_ptr<fb::Entity>& owner)
{
    for (int i = 0; owner && i < GetPlayerCount(); ++i) {
        if (GetPlayer(i)->GetEntity() == owner)
            return i;
    }
    return std::nullopt;
}

// Where player i comes back: at the spawn point of its own index, or in the
// middle of a level with no such point.
glm::vec2 PlayerReturnPoint(int player)
{
    const std::vector<LevelArea> spawns = GetSpawnPoints();
    if (static_cast<int>(spawns.size()) <= player)
        return {0.0f, 0.0f};
    const LevelArea& spawn = spawns[static_cast<std::size_t>(player)];
    return InsideWrapBounds({spawn.x, spawn.y});
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
    const std::optional<WrapBounds> bounds = GetWrapBounds();
    if (!mTransform || !bounds)
        return;
    const glm::vec2 p = mTransform->GetPosition();
    const glm::vec2 span = bounds->high - bounds->low - 2.0f * mMargin;

    glm::vec2 wrapped = p;
    if (p.x + mMargin > bounds->high.x)
        wrapped.x = p.x - span.x;
    else if (p.x - mMargin < bounds->low.x)
        wrapped.x = p.x + span.x;
    if (p.y > bounds->high.y)
        wrapped.y = p.y - span.y;
    else if (p.y < bounds->low.y)
        wrapped.y = p.y + span.y;
    if (wrapped == p)
        return;

    const std::shared_ptr<fb::Entity> owner = GetOwner().lock();
    const std::optional<int> player = PlayerIndexOf(owner);
    const glm::vec2 target = player ? PlayerReturnPoint(*player) : wrapped;
    MakeStreak("Streak", 2.0f, p, true, target, 0.1f, false);
    MakeParticle("DravikHit", 6.0f, target, true);
    MakeParticle("DravikHit", 6.0f, p, false);
    mTransform->SetPosition(target);
    // A player starts again from rest: keeping the speed of the fall would
    // build it up without end where the spawn point has no ground under it.
    if (player) {
        if (auto body = owner->GetComponent<fb::cmp::AdvancedBody>())
            body->SetVelocity({0.0f, 0.0f});
    }
}

WrapperObject* WrapperObject::Clone()
{
    auto* copy = new WrapperObject(mMargin);
    copy->mTransform = mTransform;
    return copy;
}
