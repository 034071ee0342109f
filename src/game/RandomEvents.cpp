#include "game/RandomEvents.h"

#include "audio/GameEvent.h"
#include "core/EventChannels.h"
#include "core/Random.h"
#include "core/Trace.h"
#include "game/AISpawner.h"
#include "game/GoalZones.h"
#include "game/SlimeMeteor.h"
#include "level/Portal.h"
#include "render/TextRenderer.h"

#include <cmath>
#include <vector>

float gRandomEventTimer = 20.0f;
std::string gRandomEventTitle;
float gRandomEventAnnounceTime = 0.0f;

namespace {

constexpr float kFirstEventDelay = 20.0f;
constexpr float kEventInterval = 40.0f;
constexpr float kBannerTime = 5.0f;
constexpr float kFullTurn = 6.2831855f;
constexpr float kMeteorFallTime = 5.0f;
constexpr int kMeteorAliens = 10;
constexpr int kGoldRushAliens = 3;

const char* const kSlimepocalypse = "Slimepocalypse!";
const char* const kKingOfTheSlimes = "King of the Slimes!";
const char* const kGoldRush = "Gold Rush!";
const char* const kWormholeInvasion = "Wormhole Invasion!";

constexpr glm::vec3 kBlack(0.0f, 0.0f, 0.0f);
constexpr glm::vec3 kBlue(0.1f, 0.1f, 1.0f);
constexpr glm::vec3 kCrimson(0.8f, 0.0f, 0.2f);

void SendGameEvent(std::uint32_t type)
{
    fb::evt::GameEventSubject::Get()->CallNotify(fb::evt::GameEvent(nullptr, type));
}

void Announce(const char* title)
{
    gRandomEventTitle = title;
    gRandomEventAnnounceTime = kBannerTime;
}

// A random point on the ellipse inscribed in the area.
glm::vec2 PointOnRim(const LevelArea& area)
{
    const double angle = Random::Float(0.0f, kFullTurn);
    return {area.x + static_cast<float>(std::cos(angle)) * area.width * 0.5f,
            area.y + static_cast<float>(std::sin(angle)) * area.height * 0.5f};
}

const LevelArea& PickArea(const std::vector<LevelArea>& areas)
{
    return areas[static_cast<std::size_t>(Random::Int(0, static_cast<int>(areas.size()) - 1))];
}

void StartKingOfTheSlimes(const LevelArea& area)
{
    const glm::vec2 centre(area.x, area.y);
    GoalZones::SlimeStreak(&centre);
    AISpawner::SpawnAlienAt(AlienKind::Giant, centre, {0.0f, 0.0f}, "");
    SendGameEvent(fb::evt::GameEventType::KingSpawn);
    Announce(kKingOfTheSlimes);
}

} // namespace

void ResetRandomEvents()
{
    gRandomEventTimer = kFirstEventDelay;
    gRandomEventTitle.clear();
    gRandomEventAnnounceTime = 0.0f;
}

void StartRandomEvent()
{
    const std::vector<LevelArea> areas = GetRandomEventPoints();
    if (areas.empty())
        return;
    const LevelArea& area = PickArea(areas);
    switch (Random::Int(0, 3)) {
    case 0:
        StartSlimepocalypse(area);
        break;
    case 1:
        StartKingOfTheSlimes(area);
        break;
    case 2:
        StartGoldRush(area);
        break;
    case 3: {
        const LevelArea& other = PickArea(areas);
        if (other.x == area.x && other.y == area.y) {
            // One area cannot hold both ends: draw the whole event again.
            StartRandomEvent();
            return;
        }
        const PortalInfo first{"Wormhole", "Omni", area.x, area.y, 1.0f, 1.0f};
        const PortalInfo second{"Wormhole", "Omni", other.x, other.y, 1.0f, 1.0f};
        CreatePortalPair(first, second);
        Announce(kWormholeInvasion);
        break;
    }
    default:
        Assert(false, "Unknown event generated");
    }
}

void StartGoldRush(LevelArea area)
{
    for (int i = 0; i < kGoldRushAliens; ++i) {
        AISpawner::SpawnAlienAt(AlienKind::Golden, PointOnRim(area), {0.0f, 0.0f}, "");
        SendGameEvent(fb::evt::GameEventType::GoldenSpawn);
    }
    Announce(kGoldRush);
}

void StartSlimepocalypse(LevelArea area)
{
    const auto [width, height] = GetLevelSize();
    const double angle = Random::Float(0.0f, kFullTurn);
    const glm::vec2 start(static_cast<float>(width) * static_cast<float>(std::cos(angle)),
                          static_cast<float>(height) * static_cast<float>(std::sin(angle)));
    SpawnSlimeMeteor(start, PointOnRim(area), kMeteorFallTime, kMeteorAliens);
    Announce(kSlimepocalypse);
    SendGameEvent(fb::evt::GameEventType::MeteorSpawn);
}

void TriggerRandomEvent(float dt)
{
    gRandomEventTimer -= dt;
    if (gRandomEventTimer < 0.0f) {
        StartRandomEvent();
        gRandomEventTimer = kEventInterval;
    }
    if (gRandomEventAnnounceTime > 0.0f) {
        // The colours swap every whole second of the banner.
        const bool odd = static_cast<int>(gRandomEventAnnounceTime) % 2 == 1;
        TextRenderer::AddText(gRandomEventTitle, 0.0f, 0.75f, 0.0735f, kBlack, true);
        TextRenderer::AddText(gRandomEventTitle, 0.0f, 0.75f, 0.07f, odd ? kBlue : kCrimson, true);
        if (gRandomEventTitle == kKingOfTheSlimes) {
            TextRenderer::AddText("Punch to acquire slime!", 0.0f, 0.5f, 0.042f, kBlack, true);
            TextRenderer::AddText("Punch to acquire slime!", 0.0f, 0.5f, 0.04f, odd ? kCrimson : kBlue, true);
        }
    }
    gRandomEventAnnounceTime -= dt;
}
