#pragma once

#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/Transform.h"
#include "physics/StaticBody.h"

#include <memory>

// The arena the benchmarks play in: a 64 by 36 level with a floor, two walls
// and twelve ledges of fourteen tiles, every tile its own static box (300).
namespace bench {

inline int BuildArena()
{
    int boxes = 0;
    auto tile = [&boxes](float x, float y) {
        auto entity = std::make_shared<fb::Entity>("Collider");
        entity->AddComponent(std::make_shared<fb::cmp::Transform>(glm::vec2(x, y), glm::vec2(1, 1), 0.0f));
        entity->AddComponent(std::make_shared<fb::cmp::StaticBody>());
        EntityManager::Add(entity);
        ++boxes;
    };
    for (int x = 0; x < 64; ++x)
        tile(static_cast<float>(x) - 31.5f, -17.5f);
    for (int y = 0; y < 34; ++y) {
        tile(-32.5f, static_cast<float>(y) - 16.5f);
        tile(32.5f, static_cast<float>(y) - 16.5f);
    }
    for (int ledge = 0; ledge < 12; ++ledge) {
        const float left = static_cast<float>((ledge % 3) * 20 - 27);
        const float height = static_cast<float>((ledge / 3) * 8 - 12) + static_cast<float>(ledge % 2) * 3.0f;
        for (int x = 0; x < 14; ++x)
            tile(left + static_cast<float>(x), height);
    }
    return boxes;
}

} // namespace bench
