#include "game/AISpawnerGlobals.h"

std::vector<AIType> gAITypes;
std::vector<SpawnerRecord> gSpawners;
std::vector<ZoneRecord> gZones;
std::vector<AIType> gNormalAliens;
std::vector<AIType> gGoldenAliens;
std::vector<AIType> gGiantAliens;
int gAliveAliens = 0;

int gActiveZone = 0;
int gNextZone = 1;
float gZoneTimer = 0.0f;
int gActiveSpawner = 0;
float gSpawnerCycleTimer = 0.0f;
float gSpawnCountdown = 0.0f;
int gLastWinCount = 1;
std::shared_ptr<fb::Entity> gTargetMarker;
std::shared_ptr<fb::Entity> gSpawnerMarker;

std::vector<AIType>& AlienList(int kind)
{
    switch (kind) {
    case AlienKind::Giant:
        return gGiantAliens;
    case AlienKind::Golden:
        return gGoldenAliens;
    default:
        return gNormalAliens;
    }
}
