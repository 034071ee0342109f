#pragma once

#include "core/Entity.h"

#include <cstdint>
#include <memory>
#include <vector>

// One player of the match: its movement flags, its carried slime, its punch
// cool-down and delivery timer, and its body entity. The input step, the
// round update and the slime hand-over all drive the player through here.
class Character {
public:
    explicit Character(std::int32_t playerIndex);

    std::int32_t GetPlayerIndex() const { return mPlayerIndex; }
    std::shared_ptr<fb::Entity> GetEntity() const { return mEntity; }
    void SetEntity(std::shared_ptr<fb::Entity> entity) { mEntity = std::move(entity); }

    // Direction codes as in core/Controller.h. Running steers the body and
    // turns its sprite; up, down and none stop it on the ground.
    void Move(std::int32_t direction);
    // Rises by a fifth of the jump speed a frame while held, up to the jump
    // speed; off the ground it wall-jumps, or makes the one air jump. Down
    // drops through jump-through platforms instead.
    void Jump(std::int32_t direction);
    // A short box test in the direction (or the facing, for none) that stuns,
    // knocks back and shakes slime out of the players it hits.
    void Punch(std::int32_t direction);

    bool HasDoubleJump() const { return mDoubleJump; }
    void SetDoubleJump(bool doubleJump) { mDoubleJump = doubleJump; }
    bool IsGrounded() const { return mGrounded; }
    void SetGrounded(bool grounded) { mGrounded = grounded; }
    // False while stunned by a punch.
    bool CanAct() const { return !mStunned; }
    void SetStunned(bool stunned) { mStunned = stunned; }
    // While held, jumping does nothing until the jump button is let go.
    bool IsJumpHeld() const { return mJumpHeld; }
    void SetJumpHeld() { mJumpHeld = true; }
    void ClearJumpHeld() { mJumpHeld = false; }
    bool CanAirJump() const { return mAirJump; }
    void SetCanAirJump(bool airJump) { mAirJump = airJump; }
    // The feet ignore jump-through platforms.
    bool IsDroppingThrough() const { return mDropThrough; }
    void SetDropThrough(bool dropThrough) { mDropThrough = dropThrough; }

    float GetCooldown() const { return mPunchCooldown; }
    void TickCooldown(float seconds) { mPunchCooldown -= seconds; }
    float GetDeliveryTimer() const { return mDeliveryTimer; }
    void SetDeliveryTimer(float seconds) { mDeliveryTimer = seconds; }
    void TickDeliveryTimer(float seconds) { mDeliveryTimer -= seconds; }

    // The carried values, largest first.
    std::vector<std::int32_t>& GetSlimeStack() { return mSlimeStack; }
    std::int32_t GetSlimeCount() const { return mSlimeCount; }
    std::int32_t GetSlimeTotal() const { return mSlimeTotal; }
    // Takes one value: 0 when it was taken ("slimePickup"); when full, 1 when
    // a carried 1 made way for a 5, else the refused value ("slimeFull").
    std::int32_t AddSlime(std::int32_t value);
    // Gives up the smallest carried value, or 0 when nothing is carried.
    std::int32_t PopSlime();
    void ClearSlime();

private:
    bool mDropThrough = false;
    std::shared_ptr<fb::Entity> mEntity;
    bool mDoubleJump = false;
    bool mGrounded = true;
    bool mStunned = false;
    bool mJumpHeld = false;
    bool mAirJump = false;
    std::int32_t mPlayerIndex;
    std::int32_t mSlimeCapacity = 5;
    std::int32_t mSlimeCount = 0;
    std::int32_t mSlimeTotal = 0;
    float mDeliveryTimer = 1.0f;
    float mPunchCooldown = 0.0f;
    std::vector<std::int32_t> mSlimeStack;
};
