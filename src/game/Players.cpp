#include "game/Players.h"

#include "core/EntityManager.h"
#include "core/EventChannels.h"
#include "core/Input.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "game/FistComponent.h"
#include "physics/AdvancedBody.h"
#include "render/Sprite.h"

#include <array>
#include <string>

std::vector<Character*> gPlayers;
bool gPlayerControlEnabled = false;

namespace {

constexpr std::size_t kMaxPlayers = 4;

constexpr std::array<const char*, 6> kArchetypeFiles = {"playerA.json", "playerB.json", "playerC.json",
                                                        "playerD.json", "fistA.json",   "fistB.json"};
constexpr std::array<const char*, kMaxPlayers> kArchetypes = {"PlayerA", "PlayerB", "PlayerC", "PlayerD"};
constexpr std::array<const char*, kMaxPlayers> kFistImages = {"assets/img/RedFist.png", "assets/img/BlueFist.png",
                                                              "assets/img/YellowFist.png", "assets/img/GreyFist.png"};

// The player layer, which collides with the world.
const fb::CollisionLayer kPlayerLayer(4, 2);
// World contact, aliens underfoot, giants, jump-through platforms, goal zones.
constexpr std::array<int, 5> kDetectorSets = {2, 32, 64, 128, 8};

constexpr int kFistLayer = 3;

// The body from the player's archetype; a bare one when the archetype could
// not be loaded, so that the match still has its player.
std::shared_ptr<fb::Entity> MakeBody(std::size_t index)
{
    std::shared_ptr<fb::Entity> body = EntityManager::LoadArchetype(kArchetypes[index]);
    if (!body) {
        body = std::make_shared<fb::Entity>(kArchetypes[index]);
        body->AddComponent(std::make_shared<fb::cmp::Transform>(glm::vec2(0.0f), glm::vec2(1.5f), 0.0f));
    }
    body->SetName("Player " + std::to_string(index));
    auto physics = std::make_shared<fb::cmp::AdvancedBody>(kPlayerLayer);
    body->AddComponent(physics);
    for (int key : kDetectorSets)
        physics->CreateDetectorSet(key);
    return body;
}

} // namespace

void CreatePlayers()
{
    for (const char* file : kArchetypeFiles)
        EntityManager::LoadJson(file);

    for (std::size_t i = 0; i < static_cast<std::size_t>(Input::CountPlayerSlots()); ++i) {
        if (gPlayers.size() >= kMaxPlayers) {
            Trace("More than four pads are connected; only four players can play", 3);
            break;
        }
        auto* character = new Character(static_cast<std::int32_t>(gPlayers.size()));
        gPlayers.push_back(character);
        const std::size_t index = gPlayers.size() - 1;

        auto fist = std::make_shared<fb::Entity>("fist");
        fist->AddComponent(std::make_shared<fb::cmp::Transform>(glm::vec2(0.0f), glm::vec2(1.1f), 0.0f));
        std::shared_ptr<fb::Entity> body = MakeBody(index);
        fist->AddComponent(std::make_shared<Sprite>(kFistImages[index], 1.0f, kFistLayer));

        auto motion = std::make_shared<fb::cmp::FistComponent>();
        fist->AddComponent(motion);
        fist->SetParent(body);
        EntityManager::Add(fist);
        fb::evt::CharacterEventSubject::Get()->Attach(motion);

        character->SetEntity(body);
        gPlayerControlEnabled = false;
    }
}

void PlacePlayer(std::int32_t index, float x, float y)
{
    Character* player = GetPlayer(index);
    std::shared_ptr<fb::Entity> body = player ? player->GetEntity() : nullptr;
    if (auto transform = body ? body->GetComponent<fb::cmp::Transform>() : nullptr)
        transform->SetPosition(x, y);
}

void ActivatePlayers()
{
    for (Character* player : gPlayers)
        EntityManager::Add(player->GetEntity());
    gPlayerControlEnabled = true;
}

Character* GetPlayer(std::int32_t index)
{
    if (index < 0 || index >= GetPlayerCount())
        return nullptr;
    return gPlayers[static_cast<std::size_t>(index)];
}

std::int32_t GetPlayerCount()
{
    return static_cast<std::int32_t>(gPlayers.size());
}

bool IsPlayerControlEnabled()
{
    return gPlayerControlEnabled;
}

void SetPlayerControlEnabled(bool enabled)
{
    gPlayerControlEnabled = enabled;
}

void ClearAllSlime()
{
    for (Character* player : gPlayers)
        player->ClearSlime();
}

void DestroyPlayers()
{
    for (Character* player : gPlayers)
        delete player;
    gPlayers.clear();
    gPlayerControlEnabled = false;
}
