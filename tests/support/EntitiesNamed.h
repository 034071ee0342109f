#pragma once

#include "core/EntityManager.h"

#include <memory>
#include <string>
#include <vector>

// The entities of the entity manager's list with that name, in list order.
inline std::vector<std::shared_ptr<fb::Entity>> EntitiesNamed(const std::string& name)
{
    std::vector<std::shared_ptr<fb::Entity>> found;
    for (const auto& entity : EntityManager::GetEntities()) {
        if (entity->GetName() == name)
            found.push_back(entity);
    }
    return found;
}
