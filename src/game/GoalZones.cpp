#include "game/GoalZones.h"

#include "audio/GameEvent.h"
#include "core/EntityManager.h"
#include "core/EventChannels.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "game/AISpawnerGlobals.h"
#include "game/SlimeUI.h"
#include "physics/ColliderPool.h"
#include "render/CamManager.h"
#include "render/ParticleEffects.h"
#include "render/ParticleSystem.h"
#include "render/Sprite.h"

namespace {

constexpr float kZoneTime = 15.0f;
constexpr float kSpawnerCycleTime = 10.0f;
const char* const kDeactiveZoneImage = "./assets/img/DeactiveZone.png";
const char* const kActiveZoneImage = "./assets/img/ActiveZone.png";

// A marker whose effect could not be made is not asked for again every frame.
bool gTargetMarkerFailed = false;
bool gSpawnerMarkerFailed = false;

glm::vec2 WorldPosition(const std::shared_ptr<fb::Entity>& entity)
{
    std::shared_ptr<fb::cmp::Transform> transform = entity ? entity->GetComponent<fb::cmp::Transform>() : nullptr;
    return transform ? transform->GetPosition() : glm::vec2(0.0f, 0.0f);
}

void ShowZoneImage(ZoneRecord& zone, const char* image)
{
    if (std::shared_ptr<Sprite> sprite = zone.entity ? zone.entity->GetComponent<Sprite>() : nullptr)
        sprite->SetTexture(Texture(image));
}

// Makes the marker on first need; afterwards runs it, keeps it emitting and
// moves it over the position.
void KeepMarker(std::shared_ptr<fb::Entity>& marker, bool& failed, const char* effect, float scale,
                const glm::vec2& position)
{
    if (!marker) {
        if (failed)
            return;
        marker = MakeParticleEntity(effect, scale, position, false);
        failed = !marker;
        return;
    }
    marker->Update();
    if (std::shared_ptr<ParticleSystem> system = marker->GetComponent<ParticleSystem>()) {
        if (system->GetTotalLifetime() < 1.0f)
            system->SetParticleCount(system->GetParticleCount() + 30);
    }
    if (std::shared_ptr<fb::cmp::Transform> transform = marker->GetComponent<fb::cmp::Transform>())
        transform->SetPosition(position);
}

void NextSpawner()
{
    gActiveSpawner = gActiveSpawner + 1 < static_cast<int>(gSpawners.size()) ? gActiveSpawner + 1 : 0;
}

void SwitchZone()
{
    const int zoneCount = static_cast<int>(gZones.size());
    if (gActiveZone >= 0 && gActiveZone < zoneCount && gZones[gActiveZone].active) {
        gZones[gActiveZone].active = false;
        ShowZoneImage(gZones[gActiveZone], kDeactiveZoneImage);
    }
    gActiveZone += 1;
    fb::evt::GameEventSubject::Get()->CallNotify(fb::evt::GameEvent(nullptr, fb::evt::GameEventType::ZoneChange));
    gZoneTimer = 0.0f;
    if (gActiveZone >= zoneCount)
        gActiveZone = 0;
    gNextZone = gNextZone + 1 < zoneCount ? gNextZone + 1 : 0;
    if (!gZones.empty())
        MakeParticle("SlimeBoom", 3.5f, WorldPosition(gZones[gActiveZone].entity), false);
}

// Removes every alien; with a target each leaves a streak toward it.
void RemoveAllAliens(const glm::vec2* target)
{
    for (std::vector<AIType>* list : {&gNormalAliens, &gGoldenAliens, &gGiantAliens}) {
        for (AIType& alien : *list) {
            if (alien.spawner)
                alien.spawner->alive -= 1;
            if (target && alien.entity)
                MakeStreak("SlimeStreak", 1.0f, WorldPosition(alien.entity), false, *target, 0.5f, false);
            if (alien.entity)
                EntityManager::Remove(alien.entity);
        }
        list->clear();
    }
}

void UpdateSpawners(float dt)
{
    // A won round moves the aliens to another spawner, ready at once.
    if (SlimeUI::GetWinCount() != gLastWinCount) {
        NextSpawner();
        gLastWinCount = SlimeUI::GetWinCount();
        gSpawnCountdown = 0.0f;
    }
    if (gActiveSpawner < 0 || gActiveSpawner >= static_cast<int>(gSpawners.size()))
        gActiveSpawner = 0;
    gSpawnCountdown -= dt;
    SpawnerRecord& spawner = gSpawners[gActiveSpawner];
    KeepMarker(gSpawnerMarker, gSpawnerMarkerFailed, "Steam", 1.0f, spawner.position);
    CamManager::AddFocusPoint(spawner.position.x, spawner.position.y, 2);
    if (gSpawnCountdown <= 0.0f && gGiantAliens.empty()) {
        AISpawner::SpawnAlien(spawner, spawner.position, glm::vec2(0.0f, 0.0f), "Steam");
        gSpawnCountdown = spawner.spawnRate;
    }
    // A step may spawn or remove aliens; walk each list by index.
    for (std::vector<AIType>* list : {&gNormalAliens, &gGoldenAliens, &gGiantAliens}) {
        for (std::size_t i = 0; i < list->size(); ++i)
            AISpawner::UpdateAlien((*list)[i], dt);
    }
}

} // namespace

void MakeDeactiveZone(const std::string& name, const glm::vec2& position, const glm::vec2& size)
{
    auto entity = std::make_shared<fb::Entity>(name);
    entity->AddComponent(std::make_shared<fb::cmp::Transform>(position, size, 0.0f));
    EntityManager::Add(entity);
    fb::BoxCollider* collider = GetBoxCollider();
    if (collider) {
        collider->SetParent(entity);
        collider->SetLayer(fb::CollisionLayer(8, 4));
        collider->SetBound(true);
    } else {
        Trace("The collider pool is exhausted: goal zone \"" + name + "\" cannot be scored in", 3);
    }
    entity->AddComponent(std::make_shared<Sprite>(kDeactiveZoneImage, 1.0f, 1));
    gZones.push_back(ZoneRecord{size, collider, entity, false});
}

namespace GoalZones {

void ResetGlobals()
{
    gAliveAliens = 0;
    gActiveZone = 0;
    gNextZone = 1;
    gZoneTimer = 0.0f;
    gActiveSpawner = 0;
    gSpawnerCycleTimer = 0.0f;
    gSpawnCountdown = 0.0f;
    gLastWinCount = 1;
    // A run starts with no markers: they belong to the match that made them.
    gTargetMarker.reset();
    gSpawnerMarker.reset();
    gTargetMarkerFailed = false;
    gSpawnerMarkerFailed = false;
}

void Init()
{
    RemoveAllAliens(nullptr);
    gActiveZone = 0;
    gNextZone = 1;
    gZoneTimer = 0.0f;
    gActiveSpawner = 0;
    gSpawnCountdown = 0.0f;
    gAliveAliens = 0;
}

void Shutdown()
{
    RemoveAllAliens(nullptr);
    gAITypes.clear();
    for (ZoneRecord& zone : gZones)
        ReturnBoxCollider(zone.collider);
    gZones.clear();
    gSpawners.clear();
}

void Update(float dt)
{
    gZoneTimer += dt;
    if (gZoneTimer >= kZoneTime)
        SwitchZone();

    gSpawnerCycleTimer += dt;
    if (gSpawnerCycleTimer >= kSpawnerCycleTime) {
        gSpawnerCycleTimer = 0.0f;
        NextSpawner();
    }

    if (!gZones.empty()) {
        if (gActiveZone < 0 || gActiveZone >= static_cast<int>(gZones.size()))
            gActiveZone = 0;
        UpdateTargetMarker(gZones[gActiveZone]);
    }

    if (!gSpawners.empty())
        UpdateSpawners(dt);
}

void UpdateTargetMarker(ZoneRecord& zone)
{
    const glm::vec2 position = WorldPosition(zone.entity);
    KeepMarker(gTargetMarker, gTargetMarkerFailed, "TargetZone", 3.5f, position);
    if (!zone.active) {
        zone.active = true;
        ShowZoneImage(zone, kActiveZoneImage);
    }
    CamManager::AddFocusPoint(position.x, position.y, 2);
}

std::pair<int, int> GetZoneIndices()
{
    return {gActiveZone, gNextZone};
}

int FindZone(std::shared_ptr<fb::Entity> entity)
{
    for (std::size_t i = 0; i < gZones.size(); ++i) {
        if (gZones[i].entity == entity)
            return static_cast<int>(i);
    }
    return static_cast<int>(gZones.size()) + 10;
}

void SlimeStreak(const glm::vec2* target)
{
    RemoveAllAliens(target);
    gAliveAliens = 0;
}

} // namespace GoalZones
