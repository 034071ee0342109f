#include "level/Portal.h"

#include "core/EntityManager.h"
#include "core/EventChannels.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "physics/AdvancedBody.h"
#include "physics/ColliderPool.h"
#include "physics/CollisionQuery.h"
#include "render/KillClock.h"
#include "render/ParticleEffects.h"
#include "render/ParticleSystem.h"

#include <algorithm>
#include <chrono>
#include <list>
#include <optional>
#include <stdexcept>
#include <string>

namespace {

constexpr std::int64_t kCoolDownMs = 1000;
constexpr int kMaxTravellersPerFrame = 5;
constexpr int kPairEffects = 5;
constexpr float kOmniLifetime = 20.0f;
constexpr float kExitClearance = 1.1f;
// Players' and aliens' layers: "team1" and "misc".
const fb::CollisionLayer kPortalLayer(0, 36);

struct CoolDown {
    std::weak_ptr<fb::Entity> entity;
    std::int64_t time;
};

std::list<CoolDown> gCoolDowns;
int gPairCounter = 0;

std::int64_t SteadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::function<std::int64_t()> gClock = SteadyMilliseconds;

std::optional<Portal::Direction> ParseDirection(const std::string& name)
{
    if (name == "Up")
        return Portal::Up;
    if (name == "Down")
        return Portal::Down;
    if (name == "Left")
        return Portal::Left;
    if (name == "Right")
        return Portal::Right;
    if (name == "Omni")
        return Portal::Omni;
    return std::nullopt;
}

Portal::Direction CheckedDirection(const PortalInfo& record)
{
    std::optional<Portal::Direction> direction = ParseDirection(record.Direction);
    if (!direction)
        throw std::runtime_error("Unknown Portal Type \"" + record.Direction + "\" on portal \"" + record.name + "\"");
    return *direction;
}

glm::vec2 ExitBeside(const PortalInfo& partner, Portal::Direction direction)
{
    const glm::vec2 centre(partner.x, partner.y);
    switch (direction) {
    case Portal::Up:
        return centre + glm::vec2(0.0f, 2.0f * partner.height);
    case Portal::Down:
        return centre - glm::vec2(0.0f, 2.0f * partner.height);
    case Portal::Left:
        return centre - glm::vec2(2.0f * partner.width, 0.0f);
    case Portal::Right:
        return centre + glm::vec2(2.0f * partner.width, 0.0f);
    case Portal::Omni:
        break;
    }
    return centre;
}

void MakePortal(const PortalInfo& record, const PortalInfo& partner, Portal::Direction direction)
{
    auto entity = std::make_shared<fb::Entity>(record.name + "(1 of 2)");
    entity->AddComponent<fb::cmp::Transform>(std::make_shared<fb::cmp::Transform>(
        glm::vec2(record.x, record.y), glm::vec2(record.width, record.height), 0.0f));
    entity->AddComponent<Portal>(std::make_shared<Portal>(ExitBeside(partner, direction), direction));
    if (direction == Portal::Omni)
        entity->AddComponent<KillClock>(std::make_shared<KillClock>(kOmniLifetime));
    EntityManager::Add(entity);
}

void MakePairEffect(const PortalInfo& record)
{
    MakeParticle("ProtoPortal" + std::to_string(gPairCounter), 1.0f,
                 glm::vec2(record.width, record.height) * 0.5f, glm::vec2(record.x, record.y), false);
}

// Drops the entries older than the cool-down; true when `entity` is still
// cooling down.
bool IsCoolingDown(const std::shared_ptr<fb::Entity>& entity, std::int64_t now)
{
    gCoolDowns.remove_if([now](const CoolDown& entry) { return now - entry.time > kCoolDownMs; });
    return std::any_of(gCoolDowns.begin(), gCoolDowns.end(),
                       [&entity](const CoolDown& entry) { return entry.entity.lock() == entity; });
}

} // namespace

Portal::Portal(glm::vec2 exitPoint, Direction direction)
    : mExitPoint(exitPoint)
    , mDirection(direction)
    , mOmni(direction == Omni)
{
}

Portal::~Portal()
{
    Exit();
}

void Portal::Init()
{
    if (mCollider)
        return;
    mCollider = GetBoxCollider();
    if (!mCollider) {
        std::shared_ptr<fb::Entity> owner = GetOwner().lock();
        Trace("Portal: the collider pool is exhausted; \"" + (owner ? owner->GetName() : std::string()) +
                  "\" will not teleport",
              3);
        return;
    }
    mCollider->SetParent(GetOwner());
    mCollider->SetSize({1.0f, 0.05f});
    mCollider->SetCenter({0.0f, 0.5f});
    mCollider->SetLayer(kPortalLayer);
    mCollider->SetBound(true);
}

void Portal::Update()
{
    if (Time::GetScaledDt() == 0.0f)
        return;
    std::shared_ptr<fb::Entity> owner = GetOwner().lock();
    if (!owner)
        return;
    if (mOmni && !mEffectTried)
        MakeVoidEffect(*owner);
    if (!mCollider)
        return;

    const fb::CollisionResult hits = RunBoxCollisionLua(mCollider);
    const int count = std::min(hits.numCollisions, kMaxTravellersPerFrame);
    for (int i = 0; i < count; ++i) {
        std::shared_ptr<fb::Entity> traveller = hits.colliders[static_cast<std::size_t>(i)]->GetParent().lock();
        if (!traveller)
            continue;
        if (IsCoolingDown(traveller, gClock()))
            return;
        if (auto transform = traveller->GetComponent<fb::cmp::Transform>())
            Teleport(traveller, *transform);
    }
}

void Portal::MakeVoidEffect(fb::Entity& owner)
{
    mEffectTried = true;
    std::shared_ptr<fb::cmp::Transform> transform = owner.GetComponent<fb::cmp::Transform>();
    const glm::vec2 position = transform ? transform->GetPosition() : glm::vec2(0.0f, 0.0f);
    mEffect = MakeParticleEntity("void", 4.5f, position, false);
    if (!mEffect)
        return;
    std::shared_ptr<ParticleSystem> system = mEffect->GetComponent<ParticleSystem>();
    std::shared_ptr<KillClock> clock = owner.GetComponent<KillClock>();
    const float lifetime = clock ? clock->GetTimeLeft() : system->GetTotalLifetime();
    mEffect->AddComponent<KillClock>(std::make_shared<KillClock>(lifetime));
    system->ExtendToLifetime(lifetime - 1.0f, 100);
    EntityManager::Add(mEffect);
}

void Portal::Teleport(const std::shared_ptr<fb::Entity>& traveller, fb::cmp::Transform& transform)
{
    glm::vec2 exit = mExitPoint;
    const glm::vec2 size = transform.GetScale();
    switch (mDirection) {
    case Up:
        exit.y += kExitClearance * size.y;
        break;
    case Down:
        exit.y -= kExitClearance * size.y;
        break;
    case Left:
        exit.x -= kExitClearance * size.x;
        break;
    case Right:
        exit.x += kExitClearance * size.x;
        break;
    case Omni:
        if (!traveller->GetComponent<fb::cmp::AdvancedBody>())
            Trace("Could not find advanced body to teleport!", 3);
        break;
    }

    MakeParticle("PortalIn", 2.0f, exit, true);
    MakeParticle("PortalOut", 2.0f, transform.GetPosition(), false);
    transform.SetPosition(exit);
    fb::evt::CharacterEventSubject::Get()->CallNotify(
        fb::evt::CharacterEvent(fb::evt::CharacterEventType::Portal, traveller));
    gCoolDowns.push_back({traveller, gClock()});
}

void Portal::Exit()
{
    ReturnBoxCollider(mCollider);
}

Portal* Portal::Clone()
{
    auto* copy = new Portal(mExitPoint, mDirection);
    copy->mEffect = mEffect;
    copy->mEffectTried = mEffectTried;
    copy->SetOwner(GetOwner());
    return copy;
}

void CreateLevelPortals(const std::vector<PortalInfo>& records)
{
    gPairCounter = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        for (std::size_t j = i + 1; j < records.size(); ++j) {
            try {
                CreatePortalPair(records[i], records[j]);
            } catch (const std::runtime_error& error) {
                Trace(std::string(error.what()) + "; the pair is left out", 3);
            }
        }
    }
}

void CreatePortalPair(const PortalInfo& a, const PortalInfo& b)
{
    if (a.name != b.name)
        return;
    const Portal::Direction directionA = CheckedDirection(a);
    const Portal::Direction directionB = CheckedDirection(b);
    MakePortal(a, b, directionA);
    MakePortal(b, a, directionB);
    if (directionA == Portal::Omni && directionB == Portal::Omni)
        return;
    MakePairEffect(a);
    MakePairEffect(b);
    gPairCounter = (gPairCounter + 1) % kPairEffects;
}

void SetPortalClock(std::function<std::int64_t()> milliseconds)
{
    gClock = milliseconds ? std::move(milliseconds) : std::function<std::int64_t()>(SteadyMilliseconds);
}
