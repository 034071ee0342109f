#include "game/DeliverSlime.h"

#include "core/EntityManager.h"
#include "core/Random.h"
#include "core/Transform.h"
#include "game/AISpawner.h"
#include "game/AISpawnerGlobals.h"
#include "game/PlayerColours.h"
#include "render/ParticleEffects.h"
#include "render/Popups.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr float kSplatSize = 7.5f;
constexpr int kGoldenValue = 5;

glm::vec2 WorldPosition(const std::shared_ptr<fb::Entity>& entity)
{
    auto transform = entity ? entity->GetComponent<fb::cmp::Transform>() : nullptr;
    return transform ? transform->GetPosition() : glm::vec2(0.0f);
}

// Takes the alien's record out of its list and the alien out of the world;
// its value, or nothing when no list holds it.
std::optional<int> TakeAlien(const std::shared_ptr<fb::Entity>& alien)
{
    for (std::vector<AIType>* list : {&gNormalAliens, &gGoldenAliens}) {
        auto record = std::find_if(list->begin(), list->end(),
                                   [&alien](const AIType& live) { return alien && live.entity == alien; });
        if (record == list->end())
            continue;
        if (record->spawner)
            --record->spawner->alive;
        const int value = static_cast<int>(record->weight);
        list->erase(record);
        return value;
    }
    return std::nullopt;
}

void ShowTaken(const Character& character, glm::vec2 position)
{
    const int player = character.GetPlayerIndex();
    const glm::vec3 colour = PlayerColour(player);
    const glm::vec2 text = PlayerTextPosition(player);
    CreatePopupNumber(character.GetSlimeTotal(), colour, position.x, position.y, 7.5f, 0.75f);
    CreateScreenspacePopupText(std::to_string(character.GetSlimeTotal()), colour, text.x, text.y, 0.0f, 1.0f, true,
                               player);
}

void ThrowBack(const Character& character, glm::vec2 position, int refused)
{
    const int player = character.GetPlayerIndex();
    const glm::vec2 text = PlayerTextPosition(player);
    CreatePopupText("FULL!", kRefusedColour, position.x, position.y, 7.5f, 0.75f, true);
    CreateScreenspacePopupText("FULL!", kRefusedColour, text.x, text.y, 0.0f, 1.0f, true, player);
    const int x = Random::Int(-30, 30);
    const int y = Random::Int(0, 30);
    const int kind = refused == kGoldenValue ? AlienKind::Golden : AlienKind::Normal;
    AISpawner::SpawnAlienAt(kind, position, glm::vec2(static_cast<float>(x), static_cast<float>(y)), "");
}

} // namespace

void DeliverSlime(std::shared_ptr<fb::Entity> alien, Character& character)
{
    MakeSquishParticle(kSplatSize, WorldPosition(alien));
    const std::optional<int> value = TakeAlien(alien);
    if (!value)
        return;

    // A worthless alien (no weight in the spawner file) is only taken away:
    // a 0 on the stack would never be delivered and would hold a slot.
    const bool worth = *value > 0;
    const int refused = worth ? character.AddSlime(*value) : 0;
    EntityManager::Remove(alien);
    --gAliveAliens;
    if (!worth)
        return;

    const glm::vec2 position = WorldPosition(character.GetEntity());
    if (refused == 0)
        ShowTaken(character, position);
    else
        ThrowBack(character, position, refused);
}
