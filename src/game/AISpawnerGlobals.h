#pragma once

#include "game/AISpawner.h"
#include "game/GoalZones.h"

#include <memory>
#include <vector>

// The state shared by the goal zones and the alien spawner. Start values
// are set by GoalZones::ResetGlobals.

// The kinds read from the AI spawner file.
extern std::vector<AIType> gAITypes;
// The spawners of the current level, in the order the level builder made them.
extern std::vector<SpawnerRecord> gSpawners;
// The goal zones of the current level, in map order.
extern std::vector<ZoneRecord> gZones;
// The live aliens by kind.
extern std::vector<AIType> gNormalAliens;
extern std::vector<AIType> gGoldenAliens;
extern std::vector<AIType> gGiantAliens;
// The live aliens of all three lists.
extern int gAliveAliens;

extern int gActiveZone;
extern int gNextZone;
// Seconds since the last zone switch.
extern float gZoneTimer;
extern int gActiveSpawner;
// Seconds since the active spawner last moved on by time.
extern float gSpawnerCycleTimer;
// Seconds until the active spawner may spawn.
extern float gSpawnCountdown;
// The slime display's win count when last looked at.
extern int gLastWinCount;
// The particle markers over the active zone and the active spawner; made on
// first need and kept for every later match. Never in the entity manager.
extern std::shared_ptr<fb::Entity> gTargetMarker;
extern std::shared_ptr<fb::Entity> gSpawnerMarker;

// The live list of an alien kind, 0 to 2.
std::vector<AIType>& AlienList(int kind);
