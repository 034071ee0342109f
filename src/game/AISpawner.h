#pragma once

#include "core/Entity.h"
#include "core/Timer.h"

#include <glm/glm.hpp>
#include <memory>
#include <string>

// The computer-controlled aliens: the AI spawner file with its kinds, the
// spawners of the level, spawning one alien and its walk.

struct SpawnerRecord;

// The three kinds of alien.
enum AlienKind : int { Normal = 0, Giant = 1, Golden = 2 };

// One entry of the AI spawner file, and also the record of one live alien
// (the fields marked "live" are used only there).
struct AIType {
    std::string type;
    // Live: the AlienKind.
    int kind = AlienKind::Normal;
    // The slime a player gets for a normal or golden alien; a giant's hit points.
    float weight = 0.0f;
    // Five times the walking speed.
    float moveSpeed = 0.0f;
    bool canJump = false;
    // Seconds between two spawns at a spawner of this kind.
    float spawnRate = 0.0f;
    // The most aliens one spawner of this kind keeps alive.
    int maxAlive = 0;
    // Live: seconds left of the launch phase, in which players cannot take it.
    float countdown = 0.0f;
    bool launchLayerSet = false;
    // The chance, 0 to 1, that a jump roll makes a jump.
    float jumpRate = 0.0f;
    // Live: time to the next jump roll.
    Timer jumpTimer;
    // Live: the spawner that made it, or null. Not owned.
    SpawnerRecord* spawner = nullptr;
    // Live: the alien's entity.
    std::shared_ptr<fb::Entity> entity;
};

// One alien spawner of the level.
struct SpawnerRecord {
    glm::vec2 position{0.0f, 0.0f};
    std::string type;
    float spawnRate = 0.0f;
    float moveSpeed = 0.0f;
    bool canJump = false;
    float weight = 0.0f;
    float jumpRate = 0.0f;
    int maxAlive = 0;
    // The aliens now alive that this spawner made.
    int alive = 0;
};

namespace AISpawner {

// No spawn makes an alien while this many are alive.
constexpr int kMaxAliveAliens = 40;

// Reads the AI spawner file ("./assets/json/aitest.json") in place of the
// kinds loaded before. Throws std::runtime_error "Could not load file: " or
// "Incorrect AI Spawner file: " followed by the path. A file that does not
// parse, or a value of the wrong type, is traced and read as nothing (a
// number as 0); a file without "type" or "AI Types" loads nothing.
void LoadFile(const std::string& path);
// Adds a spawner at the position for every loaded kind of that name.
void EnableType(const glm::vec2& position, const std::string& type);

// An alien of the spawner's kind and walking values. A spawner that has
// maxAlive aliens out makes none, unless the alien is launched (velocity x
// not 0). `effect` names a particle trail that follows it for 3 s.
void SpawnAlien(SpawnerRecord& spawner, const glm::vec2& position, const glm::vec2& velocity,
                const std::string& effect);
// An alien of a kind, with the walking values of the first loaded entry of
// its name; a golden one sparkles.
void SpawnAlienAt(int kind, const glm::vec2& position, const glm::vec2& velocity, const std::string& effect);
// Throws an alien of the kind out of the position with a random velocity.
void SpawnAlienRandomOffset(const glm::vec2& position, int kind, std::string effect);

// One behaviour step of a live alien: launch phase, walking, turning at
// walls and ledges, falling and random jumps. Run before the bodies move.
void UpdateAlien(AIType& alien, float dt);

} // namespace AISpawner
