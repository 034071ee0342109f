#include "game/Character.h"

#include "audio/CharacterEvent.h"
#include "game/CharacterEvents.h"

#include <algorithm>
#include <functional>

namespace {

constexpr std::int32_t kGoldenSlime = 5;

void SortDescending(std::vector<std::int32_t>& stack)
{
    std::sort(stack.begin(), stack.end(), std::greater<>());
}

} // namespace

Character::Character(std::int32_t playerIndex)
    : mPlayerIndex(playerIndex)
{
}

std::int32_t Character::AddSlime(std::int32_t value)
{
    if (mSlimeCount + 1 <= mSlimeCapacity) {
        ++mSlimeCount;
        mSlimeTotal += value;
        mSlimeStack.push_back(value);
        if (value > 1)
            SortDescending(mSlimeStack);
        RaiseCharacterEvent(fb::evt::CharacterEventType::SlimePickup, mEntity);
        return 0;
    }
    if (value == kGoldenSlime && !mSlimeStack.empty() && mSlimeStack.back() == 1) {
        mSlimeStack.pop_back();
        mSlimeTotal -= 1;
        mSlimeStack.push_back(value);
        mSlimeTotal += value;
        SortDescending(mSlimeStack);
        return 1;
    }
    RaiseCharacterEvent(fb::evt::CharacterEventType::SlimeFull, mEntity);
    return value;
}

std::int32_t Character::PopSlime()
{
    if (mSlimeTotal == 0 || mSlimeStack.empty())
        return 0;
    const std::int32_t value = mSlimeStack.back();
    mSlimeTotal -= value;
    if (value != 0) {
        mSlimeStack.pop_back();
        --mSlimeCount;
    }
    return value;
}

void Character::ClearSlime()
{
    mSlimeTotal = 0;
    mSlimeCount = 0;
    mSlimeStack.clear();
}
