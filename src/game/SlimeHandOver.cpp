#include "game/SlimeHandOver.h"

#include "core/EntityManager.h"
#include "core/Random.h"
#include "core/Transform.h"
#include "game/AISpawner.h"
#include "game/AISpawnerGlobals.h"
#include "render/SquishNStretch.h"

#include <algorithm>

namespace {

constexpr float kShrink = 0.06666667f;
// Out of 0 to 100, the rolls below this throw out a golden alien.
constexpr int kGoldenChance = 6;

} // namespace

void SpawnAlienForPlayer(std::shared_ptr<fb::Entity> giant, int count, glm::vec2 velocity)
{
    auto record = std::find_if(gGiantAliens.begin(), gGiantAliens.end(),
                               [&giant](const AIType& alien) { return giant && alien.entity == giant; });
    if (record == gGiantAliens.end())
        return;

    auto transform = giant->GetComponent<fb::cmp::Transform>();
    const glm::vec2 position = transform ? transform->GetPosition() : glm::vec2(0.0f);
    record->weight -= static_cast<float>(count);
    const bool dies = record->weight <= 0.0f;
    if (dies) {
        if (record->spawner)
            --record->spawner->alive;
        gGiantAliens.erase(record);
    } else if (auto squash = giant->GetComponent<SquishNStretch>(); squash && transform) {
        const glm::vec2 scale = transform->GetScale();
        squash->Trigger(scale - scale * kShrink);
    }

    for (int i = 0; i < count; ++i) {
        const int x = Random::Int(-30, 30);
        const int y = Random::Int(0, 30);
        const int roll = Random::Int(0, 100);
        const int kind = roll < kGoldenChance ? AlienKind::Golden : AlienKind::Normal;
        const glm::vec2 launch = i == 0 ? velocity : glm::vec2(static_cast<float>(x), static_cast<float>(y));
        AISpawner::SpawnAlienAt(kind, position, launch, "");
    }

    if (dies) {
        EntityManager::Remove(giant);
        --gAliveAliens;
    }
}
