#pragma once

#include <cstdint>
#include <memory>

class Character;
namespace fb {
class Entity;
}

// Sends a character event of the type (CharacterEventType) about the entity
// to the character channel; its observers hear it before this returns.
void RaiseCharacterEvent(std::uint32_t type, std::shared_ptr<fb::Entity> entity);

// "wallJump", "punchHit" and "punchMiss" about the character's body.
void RaiseWallJumpEvent(const Character& character);
void RaisePunchHitEvent(const Character& character);
void RaisePunchMissEvent(const Character& character);
