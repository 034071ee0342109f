// The punch: a short box test in front of the attacker against the players
// and the giant aliens. Sounds and the fist's swing follow from the events
// it raises.

#include "core/Controller.h"
#include "core/Input.h"
#include "core/Transform.h"
#include "game/AISpawner.h"
#include "game/Character.h"
#include "game/CharacterEvents.h"
#include "game/CharacterGlobals.h"
#include "game/Players.h"
#include "game/SlimeHandOver.h"
#include "physics/AdvancedBody.h"
#include "physics/ColliderPool.h"
#include "physics/CollisionQuery.h"
#include "render/CamManager.h"
#include "render/ParticleEffects.h"
#include "render/PunchFX.h"
#include "render/Sprite.h"

#include <string>

namespace {

constexpr float kCooldown = 0.5f;
// The punch box is on the base layer and looks for players (4) and giants (64).
const fb::CollisionLayer kPunchLayer(1, 0x44);
constexpr int kGoldenSlime = 5;

struct PunchBox {
    glm::vec2 size;
    glm::vec2 center;
};

PunchBox BoxFor(std::int32_t direction, bool facingLeft)
{
    switch (direction) {
    case Direction::Up:
        return {{0.5f, 1.2f}, {0.0f, 0.96f}};
    case Direction::Down:
        return {{0.5f, 1.2f}, {0.0f, -0.96f}};
    case Direction::Left:
        return {{1.2f, 0.5f}, {-0.96f, 0.0f}};
    case Direction::Right:
        return {{1.2f, 0.5f}, {0.96f, 0.0f}};
    default:
        return {{1.2f, 0.5f}, {facingLeft ? -0.96f : 0.96f, 0.0f}};
    }
}

glm::vec2 PositionOf(const std::shared_ptr<fb::Entity>& entity)
{
    auto transform = entity ? entity->GetComponent<fb::cmp::Transform>() : nullptr;
    return transform ? transform->GetPosition() : glm::vec2(0.0f);
}

void Rumble(std::int32_t pad)
{
    if (Controller* controller = Input::GetController(static_cast<unsigned>(pad)))
        controller->Vibrate(0.5f, 1.0f, 0.2f);
}

// The player index of a body named "Player 0" to "Player 3", else -1.
int PlayerNumber(const std::string& name)
{
    if (name.size() != 8 || name.compare(0, 7, "Player ") != 0 || name[7] < '0' || name[7] > '3')
        return -1;
    return name[7] - '0';
}

} // namespace

void Character::Punch(std::int32_t direction)
{
    Move(direction);
    if (mPunchCooldown > 0.0f)
        return;
    mPunchCooldown = kCooldown;
    if (!mEntity)
        return;
    // With every pool collider taken the punch cannot look for anything.
    fb::BoxCollider* box = GetBoxCollider();
    if (!box)
        return;

    const float maxSpeed = CharacterGlobals::GetMaxSpeed();
    const float jumpSpeed = CharacterGlobals::GetJumpSpeed();
    auto sprite = mEntity->GetComponent<Sprite>();
    auto transform = mEntity->GetComponent<fb::cmp::Transform>();
    const bool facingLeft = sprite && sprite->IsFlipped();
    const PunchBox shape = BoxFor(direction, facingLeft);
    box->SetParent(mEntity);
    box->SetLayer(kPunchLayer);
    box->SetBound(false);
    box->SetSize(shape.size);
    box->SetCenter(shape.center);

    const glm::vec2 position = PositionOf(mEntity);
    const float halfWidth = transform ? transform->GetScale().x * 0.5f : 0.0f;
    MakePunchParticle(5.0f, {facingLeft ? position.x - halfWidth : position.x + halfWidth, position.y});

    const fb::CollisionResult result = RunBoxCollision(box);
    if (!result.collision)
        RaisePunchMissEvent(*this);

    for (int slot = 0; result.collision && slot < fb::CollisionResult::kReachableHits; ++slot) {
        const fb::BoxCollider* hit = result.GetBoxCollision(slot);
        std::shared_ptr<fb::Entity> target = hit ? hit->GetParent().lock() : nullptr;
        if (!target)
            continue;
        const std::string name = target->GetName();
        const int number = PlayerNumber(name);
        const bool otherPlayer = number >= 0 && number != mPlayerIndex;
        Character* victim = otherPlayer ? GetPlayer(number) : nullptr;

        if (otherPlayer && !victim) {
            // A body named for a player who is not in the match.
            continue;
        }
        if (victim) {
            const std::shared_ptr<fb::Entity> victimEntity = victim->GetEntity();
            const glm::vec2 victimPosition = PositionOf(victimEntity);
            if (!victim->mStunned) {
                RaisePunchHitEvent(*this);
                CamManager::Shake(0.05f, 0.015f);
                Rumble(victim->mPlayerIndex);
                Rumble(mPlayerIndex);
                float knockX = victimPosition.x > position.x ? 1.5f * maxSpeed : -1.5f * maxSpeed;
                if (direction == Direction::Left)
                    knockX = -1.5f * maxSpeed;
                else if (direction == Direction::Right)
                    knockX = 1.5f * maxSpeed;
                if (auto body = victimEntity ? victimEntity->GetComponent<fb::cmp::AdvancedBody>() : nullptr)
                    body->SetVelocity({knockX, 0.5f * jumpSpeed});
                if (victimEntity)
                    victimEntity->AddComponent(std::make_shared<PunchFX>(10.0f, 0.25f, 0.5f));
            }
            victim->mStunned = true;
            const std::string trail = "CharacterTrail" + std::to_string(victim->mPlayerIndex + 1);
            for (int drop = 0; drop < 2; ++drop) {
                const std::int32_t value = victim->PopSlime();
                if (value != 0)
                    AISpawner::SpawnAlienRandomOffset(victimPosition,
                                                      value == kGoldenSlime ? AlienKind::Golden : AlienKind::Normal,
                                                      trail);
            }
        } else if (name == "aliengiant") {
            RaisePunchHitEvent(*this);
            Rumble(mPlayerIndex);
            CamManager::Shake(0.05f, 0.015f);
            SpawnAlienForPlayer(target, 2, position - PositionOf(target));
        } else {
            RaisePunchMissEvent(*this);
        }
    }
    FreeBoxCollider(box->GetID());
}
