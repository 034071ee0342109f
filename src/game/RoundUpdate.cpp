#include "game/RoundUpdate.h"

#include "audio/CharacterEvent.h"
#include "core/Controller.h"
#include "core/Input.h"
#include "core/Random.h"
#include "core/Time.h"
#include "core/Transform.h"
#include "game/Character.h"
#include "game/CharacterEvents.h"
#include "game/CharacterGlobals.h"
#include "game/DeliverSlime.h"
#include "game/GoalZones.h"
#include "game/PlayerColours.h"
#include "game/Players.h"
#include "game/SlimeUI.h"
#include "physics/AdvancedBody.h"
#include "physics/BoxCollider.h"
#include "physics/CollisionResult.h"
#include "render/CamManager.h"
#include "render/ParticleEffects.h"
#include "render/Popups.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {

using Body = fb::cmp::AdvancedBody;

// The detector sets of a player's body, by the layers they look for.
constexpr int kZoneSet = 8;
constexpr int kWorldSet = 2;
constexpr int kAlienSet = 32;
constexpr int kPlatformSet = 128;

constexpr int kFullStack = 5;
constexpr int kGoldenValue = 5;
constexpr float kDeliveryInterval = 1.0f;

void Vibrate(int player, float left, float right, float duration)
{
    if (Controller* pad = Input::GetController(static_cast<unsigned>(player)))
        pad->Vibrate(left, right, duration);
}

std::shared_ptr<fb::Entity> HitEntity(const fb::CollisionResult& result, int i)
{
    const fb::BoxCollider* collider = result.colliders[static_cast<std::size_t>(i)];
    return collider ? collider->GetParent().lock() : nullptr;
}

bool InActiveZone(Body& body)
{
    const fb::CollisionResult result = body.RunDetection(kZoneSet, Body::Body);
    if (!result.collision)
        return false;
    const int active = GoalZones::GetZoneIndices().first;
    const int stored = std::min<int>(result.numCollisions, fb::CollisionResult::kStoredHits);
    for (int i = 0; i < stored; ++i) {
        std::shared_ptr<fb::Entity> zone = HitEntity(result, i);
        if (zone && GoalZones::FindZone(zone) == active)
            return true;
    }
    return false;
}

void DeliverOne(Character& character, glm::vec2 position)
{
    const int player = character.GetPlayerIndex();
    character.SetDeliveryTimer(kDeliveryInterval);
    const int value = character.PopSlime();
    RaiseCharacterEvent(value == kGoldenValue ? fb::evt::CharacterEventType::SlimeGold
                                              : fb::evt::CharacterEventType::SlimeDeliver,
                        nullptr);
    SlimeUI::UpdatePlayer(value, player);

    const glm::vec2 text = PlayerTextPosition(player);
    const int total = character.GetSlimeTotal();
    if (total != 0) {
        const glm::vec3 colour = PlayerColour(player);
        CreatePopupNumber(total, colour, position.x, position.y, 3.0f, 1.0f);
        CreateScreenspacePopupText(std::to_string(total), colour, text.x, text.y, 0.0f, 1.0f, true, player);
        return;
    }
    CreatePopupText("EMPTY!", kRefusedColour, position.x, position.y, 3.0f, 1.0f, true);
    CreateScreenspacePopupText("EMPTY!", kRefusedColour, text.x, text.y, 0.0f, 1.0f, true, player);
    if (Controller* pad = Input::GetController(static_cast<unsigned>(player)))
        pad->StopVibration();
}

void Deliver(Character& character, Body& body, glm::vec2 position)
{
    if (Time::GetScaledDt() == 0.0f || character.GetSlimeTotal() == 0 || !InActiveZone(body))
        return;
    Vibrate(character.GetPlayerIndex(), 0.0f, static_cast<float>(character.GetSlimeTotal()) * 0.2f, 0.1f);
    if (character.GetDeliveryTimer() > 0.0f)
        character.TickDeliveryTimer(Time::GetDt());
    if (character.GetDeliveryTimer() <= 0.0f)
        DeliverOne(character, position);
}

void Stomp(Character& character, Body& body, glm::vec2 position)
{
    const fb::CollisionResult result = body.RunDetection(kAlienSet, Body::Bottom);
    if (!result.collision)
        return;
    bool took = false;
    for (int i = 0; i < fb::CollisionResult::kReachableHits; ++i) {
        std::shared_ptr<fb::Entity> alien = HitEntity(result, i);
        if (!alien)
            continue;
        const std::string name = alien->GetName();
        if (name == "aliendude" || name == "aliengolden") {
            DeliverSlime(alien, character);
            took = true;
        }
    }
    if (!took)
        return;
    const glm::vec2 v = body.GetVelocity();
    body.SetVelocity({v.x, std::max(0.0f, v.y) + CharacterGlobals::GetJumpSpeed() / 5.0f});
    MakeJumpParticle(0.4f, position);
    Vibrate(character.GetPlayerIndex(), 0.0f, static_cast<float>(character.GetSlimeTotal()) * 0.2f, 0.15f);
    character.SetCanAirJump(true);
    character.SetDoubleJump(true);
}

void KeepFooting(Character& character, Body& body, const fb::cmp::Transform& transform)
{
    const bool stands = (!character.IsDroppingThrough() && body.CollisionDetected(kPlatformSet, Body::Bottom)) ||
                        body.CollisionDetected(kWorldSet, Body::Bottom);
    const glm::vec2 v = body.GetVelocity();
    if (stands && !character.IsGrounded()) {
        const glm::vec2 position = transform.GetPosition();
        MakeLandingParticle(3.0f, {position.x, position.y - transform.GetScale().y * 0.5f}, false);
        body.SetAcceleration({0.0f, 0.0f});
        body.SetVelocity({v.x, 0.0f});
        character.SetGrounded(true);
        character.SetCanAirJump(false);
        character.SetStunned(false);
        character.ClearJumpHeld();
    } else if (!stands && character.IsGrounded()) {
        body.SetAcceleration({0.0f, CharacterGlobals::GetGravity()});
        character.SetGrounded(false);
        character.SetDoubleJump(true);
        // Walked or fell off an edge rather than jumped.
        if (v.y <= 0.0f)
            character.SetCanAirJump(true);
    }
}

void UpdatePlayerRound(Character& character, int playerCount)
{
    const std::shared_ptr<fb::Entity> entity = character.GetEntity();
    auto body = entity ? entity->GetComponent<Body>() : nullptr;
    auto transform = entity ? entity->GetComponent<fb::cmp::Transform>() : nullptr;
    if (!body || !transform)
        return;
    const glm::vec2 position = transform->GetPosition();
    const glm::vec2 v = body->GetVelocity();

    if (character.GetSlimeCount() == kFullStack && Random::Int(0, 10) == 10)
        MakeSquishParticle(7.0f, position);
    CamManager::AddFocusPoint(position.x + v.x * 0.5f, position.y + v.y * 0.5f,
                              static_cast<unsigned>(5 - playerCount));
    if (character.GetCooldown() > 0.0f)
        character.TickCooldown(Time::GetDt());
    if (!character.CanAct())
        Vibrate(character.GetPlayerIndex(), 0.0f, 1.0f, 0.2f);
    if (v.y > 0.0f)
        character.SetDropThrough(true);
    body->SetLayer(4, 2);

    Deliver(character, *body, position);

    if (body->CollisionDetected(kWorldSet, Body::Top))
        character.SetJumpHeld();
    for (int side : {Body::Left, Body::Right}) {
        if (body->CollisionDetected(kWorldSet, side)) {
            character.SetStunned(false);
            character.ClearJumpHeld();
        }
    }

    Stomp(character, *body, position);
    KeepFooting(character, *body, *transform);
}

} // namespace

void UpdateRound()
{
    if (Time::GetTimeScale() == 0.0f)
        return;
    const int count = GetPlayerCount();
    for (int i = 0; i < count; ++i) {
        if (Character* character = GetPlayer(i))
            UpdatePlayerRound(*character, count);
    }
}
