#include "game/AISpawner.h"

#include "audio/GameEvent.h"
#include "core/EntityManager.h"
#include "core/EventChannels.h"
#include "core/Random.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "game/AISpawnerGlobals.h"
#include "physics/AdvancedBody.h"
#include "render/CamManager.h"
#include "render/KillClock.h"
#include "render/ParticleEffects.h"
#include "render/ParticleSystem.h"
#include "render/Popups.h"
#include "render/Sprite.h"
#include "render/SquishNStretch.h"

#include <iterator>

namespace {

struct KindInfo {
    const char* name;
    const char* file;
    const char* archetype;
    int layer;
};

// By AlienKind. Aliens collide with the world (2) and one-way platforms (128).
constexpr KindInfo kKinds[] = {
    {"normal", "aliendude.json", "aliendude", 32},
    {"giant", "aliengiant.json", "aliengiant", 64},
    {"golden", "aliengolden.json", "aliengolden", 32},
};
constexpr int kKindCount = static_cast<int>(std::size(kKinds));
constexpr int kAlienMask = 130;
constexpr float kGravity = -15.0f;
// Seconds in which a launched alien cannot be taken.
constexpr float kLaunchTime = 0.5f;

int KindOfName(const std::string& name)
{
    for (int kind = 0; kind < kKindCount; ++kind) {
        if (name == kKinds[kind].name)
            return kind;
    }
    return -1;
}

void SendSpawnEvent()
{
    fb::evt::GameEventSubject::Get()->CallNotify(fb::evt::GameEvent(nullptr, fb::evt::GameEventType::NormalSpawn));
}

// The alien's entity from its archetype, with its body and its wobble;
// empty when the archetype does not make something with a Transform and a
// Sprite.
std::shared_ptr<fb::Entity> BuildAlien(int kind, float walkSpeed, const glm::vec2& position)
{
    const KindInfo& info = kKinds[kind];
    EntityManager::LoadJson(info.file);
    std::shared_ptr<fb::Entity> entity = EntityManager::LoadArchetype(info.archetype);
    if (!entity || !entity->GetComponent<fb::cmp::Transform>() || !entity->GetComponent<Sprite>()) {
        Trace(std::string("No ") + info.name + " alien: the archetype \"assets/json/" + info.file +
                  "\" does not make an entity with a Transform and a Sprite",
              3);
        return nullptr;
    }
    auto body = std::make_shared<fb::cmp::AdvancedBody>(fb::CollisionLayer(info.layer, kAlienMask));
    body->SetVelocity({walkSpeed, 0.0f});
    body->SetAcceleration({0.0f, kGravity});
    entity->AddComponent(body);
    body->CreateDetectorSet(2);
    body->CreateDetectorSet(128);
    entity->GetComponent<fb::cmp::Transform>()->SetPosition(position);
    entity->AddComponent(std::make_shared<SquishNStretch>(5.0f, 0.1f));
    return entity;
}

// The body's launch velocity, the record in its list, facing right.
void Enlist(AIType record, const glm::vec2& velocity)
{
    std::shared_ptr<fb::Entity> entity = record.entity;
    EntityManager::Add(entity);
    if (velocity.x != 0.0f)
        entity->GetComponent<fb::cmp::AdvancedBody>()->SetVelocity(velocity);
    record.countdown = velocity.x != 0.0f ? kLaunchTime : 0.0f;
    AlienList(record.kind).push_back(std::move(record));
    entity->GetComponent<Sprite>()->SetFlipped(true);
}

// A particle effect that follows the alien, not yet in the entity manager.
std::shared_ptr<fb::Entity> AttachEffect(const std::shared_ptr<fb::Entity>& alien, const std::string& name, float scale)
{
    std::shared_ptr<fb::Entity> effect = MakeParticleEntity(name, scale, {0.0f, 0.0f}, false);
    if (!effect)
        return nullptr;
    effect->SetParent(alien);
    return effect;
}

// Emits for at least 2 s and is removed after 3 s.
void AttachTrail(const std::shared_ptr<fb::Entity>& alien, const std::string& name, float scale)
{
    std::shared_ptr<fb::Entity> trail = AttachEffect(alien, name, scale);
    if (!trail)
        return;
    if (std::shared_ptr<ParticleSystem> system = trail->GetComponent<ParticleSystem>()) {
        // An effect whose particles take no time to emit never grows; stop then.
        while (system->GetTotalLifetime() < 2.0f) {
            const float before = system->GetTotalLifetime();
            system->SetParticleCount(system->GetParticleCount() + 50);
            if (system->GetTotalLifetime() <= before)
                break;
        }
    }
    trail->AddComponent(std::make_shared<KillClock>(3.0f));
    EntityManager::Add(trail);
}

// Sparkles for as long as its particles last.
void AttachSparkle(const std::shared_ptr<fb::Entity>& alien)
{
    std::shared_ptr<fb::Entity> sparkle = AttachEffect(alien, "Sparkle", 3.0f);
    if (!sparkle)
        return;
    if (std::shared_ptr<ParticleSystem> system = sparkle->GetComponent<ParticleSystem>())
        system->SetParticleCount(system->GetParticleCount() + 1000);
    EntityManager::Add(sparkle);
}

const AIType* FirstTypeNamed(const std::string& name)
{
    for (const AIType& type : gAITypes) {
        if (type.type == name)
            return &type;
    }
    return nullptr;
}

} // namespace

namespace AISpawner {

void SpawnAlien(SpawnerRecord& spawner, const glm::vec2& position, const glm::vec2& velocity,
                const std::string& effect)
{
    if (gAliveAliens >= kMaxAliveAliens)
        return;
    SendSpawnEvent();
    if (spawner.alive >= spawner.maxAlive && velocity.x == 0.0f)
        return;
    const int kind = KindOfName(spawner.type);
    if (kind < 0) {
        Trace("A spawner of the unknown alien kind \"" + spawner.type + "\" makes nothing", 3);
        return;
    }
    std::shared_ptr<fb::Entity> entity = BuildAlien(kind, spawner.moveSpeed / 5.0f, position);
    if (!entity)
        return;
    if (kind == AlienKind::Giant) {
        CreatePopupText("Giant Slime Appeared!", {1.0f, 0.0f, 1.0f}, 0.0f, 0.0f, 3.0f, 2.0f, false);
        CamManager::Shake(0.25f, 0.1f);
    }

    AIType record;
    record.type = spawner.type;
    record.kind = kind;
    record.weight = spawner.weight;
    record.moveSpeed = spawner.moveSpeed;
    record.canJump = spawner.canJump;
    record.jumpRate = spawner.jumpRate;
    record.spawner = &spawner;
    record.entity = entity;
    Enlist(std::move(record), velocity);
    spawner.alive += 1;
    gAliveAliens += 1;

    if (!effect.empty())
        AttachTrail(entity, effect, 3.0f);
}

void SpawnAlienAt(int kind, const glm::vec2& position, const glm::vec2& velocity, const std::string& effect)
{
    if (gAliveAliens >= kMaxAliveAliens)
        return;
    SendSpawnEvent();
    if (kind < 0 || kind >= kKindCount) {
        Trace("There is no alien kind " + std::to_string(kind), 3);
        return;
    }
    const AIType* values = FirstTypeNamed(kKinds[kind].name);
    if (!values) {
        Trace(std::string("No ") + kKinds[kind].name + " alien: the AI spawner file has no entry of that type", 3);
        return;
    }
    std::shared_ptr<fb::Entity> entity = BuildAlien(kind, values->moveSpeed, position);
    if (!entity)
        return;
    if (kind == AlienKind::Giant)
        CamManager::Shake(0.25f, 0.1f);

    AIType record;
    record.type = kKinds[kind].name;
    record.kind = kind;
    record.weight = values->weight;
    record.moveSpeed = values->moveSpeed;
    record.canJump = values->canJump;
    record.jumpRate = values->jumpRate;
    record.entity = entity;
    Enlist(std::move(record), velocity);

    if (kind == AlienKind::Golden)
        AttachSparkle(entity);
    if (!effect.empty())
        AttachTrail(entity, effect, effect == "Steam" ? 1.5f : 3.0f);
    gAliveAliens += 1;
}

void SpawnAlienRandomOffset(const glm::vec2& position, int kind, std::string effect)
{
    const int x = Random::Int(-30, 30);
    const int y = Random::Int(0, 30);
    SpawnAlienAt(kind, position, glm::vec2(static_cast<float>(x), static_cast<float>(y)), effect);
}

} // namespace AISpawner
