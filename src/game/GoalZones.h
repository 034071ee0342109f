#pragma once

#include "core/Entity.h"
#include "physics/BoxCollider.h"

#include <glm/glm.hpp>
#include <memory>
#include <string>
#include <utility>

// The goal zones and the alien spawners of a match. The zones take turns,
// 15 s each, in map order; the active spawner moves on every 10 s and when
// a round is won.

struct ZoneRecord {
    glm::vec2 size{0.0f, 0.0f};
    // Owned by the collider pool; null when the pool had none left.
    fb::BoxCollider* collider = nullptr;
    std::shared_ptr<fb::Entity> entity;
    // Shows the active picture.
    bool active = false;
};

// Makes a switched-off goal zone: an entity in the entity manager with the
// zone picture, covered by a collider that the players' zone detectors find
// (layer 8, mask 4).
void MakeDeactiveZone(const std::string& name, const glm::vec2& position, const glm::vec2& size);

namespace GoalZones {

// The start values of the module, at the start of every run: no marker made yet.
void ResetGlobals();
// A new match on the built level: every alien goes, the first zone and the
// first spawner are active. The spawner cycle's time and the last win count
// seen go on from the match before.
void Init();
// The end of a match: every alien goes, the loaded kinds, the spawners and
// the zones are forgotten and the zones' colliders returned. The zone
// entities stay for the entity manager to clear.
void Shutdown();

// Once a frame with the scaled frame time: switches zones, moves the
// active spawner on, marks both, spawns and steps every alien.
void Update(float dt);
// Puts the target marker over the zone and shows it as active.
void UpdateTargetMarker(ZoneRecord& zone);

// (active zone, next zone).
std::pair<int, int> GetZoneIndices();
// The index of the zone of that entity, or the zone count plus 10.
int FindZone(std::shared_ptr<fb::Entity> entity);
// Removes every alien, each with a streak toward the target when one is given.
void SlimeStreak(const glm::vec2* target);

} // namespace GoalZones
