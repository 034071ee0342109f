#include "game/CharacterEvents.h"

#include "core/EventChannels.h"
#include "game/Character.h"

void RaiseCharacterEvent(std::uint32_t type, std::shared_ptr<fb::Entity> entity)
{
    fb::evt::CharacterEventSubject::Get()->CallNotify(fb::evt::CharacterEvent(type, std::move(entity)));
}

void RaiseWallJumpEvent(const Character& character)
{
    RaiseCharacterEvent(fb::evt::CharacterEventType::WallJump, character.GetEntity());
}

void RaisePunchHitEvent(const Character& character)
{
    RaiseCharacterEvent(fb::evt::CharacterEventType::PunchHit, character.GetEntity());
}

void RaisePunchMissEvent(const Character& character)
{
    RaiseCharacterEvent(fb::evt::CharacterEventType::PunchMiss, character.GetEntity());
}
