#pragma once

#include "core/Entity.h"

#include <list>
#include <memory>
#include <string>

// The live entities of the game: IDs, the per-frame update, deferred removal,
// and entities built from archetype files under "assets/json/".
namespace EntityManager {

using EntityList = std::list<std::shared_ptr<fb::Entity>>;

void Init();
void Add(std::shared_ptr<fb::Entity> entity);
void Remove(std::shared_ptr<fb::Entity> entity);
void Update();
std::weak_ptr<fb::Entity> FindByID(int id);
int NextID();
const EntityList& GetEntities();
// Both release every entity, also those waiting for removal; while they do,
// IsClearing is true, and what the dying entities add is dropped.
void Clear();
void Exit();
bool IsClearing();

// Reads "assets/json/" + file into the archetype cache under its "name".
bool LoadJson(std::string file);
// The file, under "assets/json/", that the cached archetype of that name was
// last read from; empty when none is cached.
std::string GetArchetypeFile(const std::string& name);
// Builds an entity from a cached archetype; empty if the name is not cached.
std::shared_ptr<fb::Entity> LoadArchetype(std::string name);

} // namespace EntityManager
