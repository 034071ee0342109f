#pragma once

#include "core/Component.h"

#include <functional>
#include <memory>
#include <rapidjson/document.h>
#include <string>

// Makes components by type name from their JSON objects in archetype and
// particle files. Creators register themselves from global initialisers.
namespace ComponentFactory {

using Creator = std::function<std::shared_ptr<fb::cmp::Component>(const rapidjson::Value&)>;

void Register(std::string type, Creator creator);
// The creator's result, or empty (traced) when no creator has that name.
std::shared_ptr<fb::cmp::Component> Create(std::string type, const rapidjson::Value& json);
bool IsRegistered(const std::string& type);

struct Registration {
    Registration(const char* type, Creator creator) { Register(type, std::move(creator)); }
};

} // namespace ComponentFactory
