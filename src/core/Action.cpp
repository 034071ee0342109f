#include "core/Action.h"

#include "game/Character.h"

void Jump::Execute(Character* target)
{
    target->Jump(GetParameter());
}

void Move::Execute(Character* target)
{
    target->Move(GetParameter());
}

void BasicAttack::Execute(Character* target)
{
    target->Punch(GetParameter());
}

void ReleaseJump(Character* character)
{
    if (!character)
        return;
    if (character->HasDoubleJump() && !character->IsGrounded())
        character->SetCanAirJump(true);
    if (!character->HasDoubleJump())
        character->SetCanAirJump(false);
    character->ClearJumpHeld();
}
