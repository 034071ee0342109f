#include "core/ComponentFactory.h"

#include "core/Trace.h"

#include <map>

namespace {

std::map<std::string, ComponentFactory::Creator>& Registry()
{
    static std::map<std::string, ComponentFactory::Creator> registry;
    return registry;
}

} // namespace

namespace ComponentFactory {

void Register(std::string type, Creator creator)
{
    Registry()[type] = std::move(creator);
}

std::shared_ptr<fb::cmp::Component> Create(std::string type, const rapidjson::Value& json)
{
    auto found = Registry().find(type);
    if (found == Registry().end() || !found->second) {
        Trace("No component creator registered for type \"" + type + "\"", 3);
        return nullptr;
    }
    return found->second(json);
}

bool IsRegistered(const std::string& type)
{
    return Registry().count(type) != 0;
}

} // namespace ComponentFactory
