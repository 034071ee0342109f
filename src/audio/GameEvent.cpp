#include "audio/GameEvent.h"

namespace fb::evt {

namespace {

const std::array<std::string, GameEventType::Count> kNames = {
    "countdownBeep", "roundStart", "kingSpawn", "goldenSpawn", "normalSpawn", "meteorSpawn",
    "meteorBoom", "jumpSlime", "menuPress", "menuHover", "zoneChange",
};

} // namespace

GameEvent::GameEvent(std::shared_ptr<fb::Entity> entity, std::uint32_t type)
    : entity(std::move(entity))
    , type(type)
    , names(kNames)
{
}

std::string GameEvent::GetName() const
{
    return type < names.size() ? names[type] : std::string();
}

} // namespace fb::evt
