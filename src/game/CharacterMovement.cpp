// Running and jumping. Ground contact, gravity and landing are kept by the
// round update; these rules rely on the flags it sets.

#include "audio/CharacterEvent.h"
#include "core/Controller.h"
#include "core/Transform.h"
#include "game/Character.h"
#include "game/CharacterEvents.h"
#include "game/CharacterGlobals.h"
#include "physics/AdvancedBody.h"
#include "render/ParticleEffects.h"
#include "render/PunchFX.h"
#include "render/Sprite.h"

#include <algorithm>

namespace {

// The detector set that looks at the world, and its two sides.
constexpr int kWorldDetectors = 2;

void AddJumpSquash(const std::shared_ptr<fb::Entity>& entity)
{
    entity->AddComponent(std::make_shared<PunchFX>(0.0f, 0.25f, 0.5f));
}

} // namespace

void Character::Move(std::int32_t direction)
{
    if (!mEntity)
        return;
    auto body = mEntity->GetComponent<fb::cmp::AdvancedBody>();
    if (!body)
        return;
    auto sprite = mEntity->GetComponent<Sprite>();
    float acceleration = CharacterGlobals::GetAcceleration();
    const float maxSpeed = CharacterGlobals::GetMaxSpeed();
    const float drag = static_cast<float>(CharacterGlobals::GetDrag());
    glm::vec2 velocity = body->GetVelocity();

    if (direction != Direction::Down)
        mDropThrough = false;

    if (direction == Direction::Left) {
        if (!mGrounded)
            acceleration = acceleration / drag;
        velocity.x -= acceleration;
        if (sprite)
            sprite->SetFlipped(true);
        velocity.x = std::max(velocity.x, -maxSpeed);
    } else if (direction == Direction::Right) {
        velocity.x += mGrounded ? acceleration : acceleration / drag;
        if (sprite)
            sprite->SetFlipped(false);
        velocity.x = std::min(velocity.x, maxSpeed);
    } else if (mGrounded) {
        velocity.x = 0.0f;
    }
    body->SetVelocity(velocity);
}

void Character::Jump(std::int32_t direction)
{
    Move(direction);
    if (mJumpHeld || !mEntity)
        return;
    auto body = mEntity->GetComponent<fb::cmp::AdvancedBody>();
    if (!body)
        return;
    auto sprite = mEntity->GetComponent<Sprite>();
    auto transform = mEntity->GetComponent<fb::cmp::Transform>();
    const float jumpSpeed = CharacterGlobals::GetJumpSpeed();
    const float maxSpeed = CharacterGlobals::GetMaxSpeed();
    const glm::vec2 position = transform ? transform->GetPosition() : glm::vec2(0.0f);
    glm::vec2 velocity = body->GetVelocity();

    if (direction == Direction::Down) {
        mDropThrough = true;
        mJumpHeld = true;
    } else {
        if (mGrounded || mDoubleJump || mAirJump)
            velocity.y = std::min(velocity.y + jumpSpeed / 5.0f, jumpSpeed);

        if (mGrounded && !mAirJump) {
            RaiseCharacterEvent(fb::evt::CharacterEventType::Jump, mEntity);
            MakeJumpParticle(0.4f, position);
            AddJumpSquash(mEntity);
        } else if (body->CollisionDetected(kWorldDetectors, fb::cmp::AdvancedBody::Left)) {
            RaiseWallJumpEvent(*this);
            AddJumpSquash(mEntity);
            velocity.x = direction == Direction::Left ? maxSpeed * 0.8f : maxSpeed;
            velocity.y = jumpSpeed;
            if (sprite)
                sprite->SetFlipped(direction == Direction::Left);
            mAirJump = false;
        } else if (body->CollisionDetected(kWorldDetectors, fb::cmp::AdvancedBody::Right)) {
            RaiseWallJumpEvent(*this);
            AddJumpSquash(mEntity);
            velocity.x = direction == Direction::Right ? maxSpeed * -0.8f : -maxSpeed;
            velocity.y = jumpSpeed;
            if (sprite)
                sprite->SetFlipped(direction != Direction::Right);
            mAirJump = false;
        } else if (mDoubleJump && mAirJump) {
            RaiseCharacterEvent(fb::evt::CharacterEventType::DoubleJump, mEntity);
            const float height = transform ? transform->GetScale().y : 0.0f;
            MakeDoubleJumpParticle(2.5f, {position.x, position.y - height * 0.5f}, !(sprite && sprite->IsFlipped()));
            AddJumpSquash(mEntity);
            velocity.y = std::max(velocity.y, jumpSpeed / 5.0f);
            velocity.y = std::min(velocity.y + jumpSpeed / 5.0f, jumpSpeed);
            mDoubleJump = false;
        }
    }

    if (velocity.y >= jumpSpeed)
        mJumpHeld = true;
    body->SetVelocity(velocity);
}
