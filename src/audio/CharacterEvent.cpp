#include "audio/CharacterEvent.h"

namespace fb::evt {

namespace {

const std::array<std::string, CharacterEventType::Count> kNames = {
    "jump", "doubleJump", "wallJump", "runStart", "runEnd", "punchHit", "punchMiss",
    "slimePickup", "slimeFull", "roundWin", "punchKing", "portal", "slimeDeliver", "slimeGold",
};

} // namespace

CharacterEvent::CharacterEvent()
    : type(CharacterEventType::Count)
    , names(kNames)
{
}

CharacterEvent::CharacterEvent(std::uint32_t type, std::shared_ptr<fb::Entity> entity)
    : type(type)
    , entity(std::move(entity))
    , names(kNames)
{
}

std::string CharacterEvent::GetName() const
{
    return type < names.size() ? names[type] : std::string();
}

} // namespace fb::evt
