#include "game/FistComponent.h"

#include "core/Entity.h"
#include "core/Time.h"
#include "core/Transform.h"
#include "physics/AdvancedBody.h"
#include "render/Sprite.h"

#include <cmath>

namespace fb::cmp {

namespace {

constexpr float kSwingRate = 12.566371f; // 4 pi: a half turn in 0.25 s
constexpr float kReach = 1.5f;
constexpr float kLag = -0.02f;
constexpr double kPi = 3.14159265358979323846;

} // namespace

void FistComponent::Update()
{
    std::shared_ptr<Entity> fist = GetOwner().lock();
    if (!fist)
        return;
    std::shared_ptr<Entity> body = fist->GetParent();
    if (!body)
        return;
    auto sprite = body->GetComponent<Sprite>();
    auto physics = body->GetComponent<AdvancedBody>();
    auto transform = fist->GetComponent<Transform>();
    if (!sprite || !physics || !transform)
        return;

    if (!mPunching) {
        transform->SetPosition(physics->GetVelocity() * kLag);
        return;
    }
    mSwingPhase += Time::GetScaledDt() * kSwingRate;
    float x = kReach * std::sin(mSwingPhase);
    if (sprite->IsFlipped())
        x = -x;
    transform->SetPosition(x, 0.0f);
    if (static_cast<double>(mSwingPhase) > kPi) {
        mSwingPhase = 0.0f;
        mPunching = false;
    }
}

void FistComponent::OnNotify(const evt::CharacterEvent& event)
{
    if (event.type != evt::CharacterEventType::PunchHit && event.type != evt::CharacterEventType::PunchMiss)
        return;
    std::shared_ptr<Entity> fist = GetOwner().lock();
    if (!fist || !event.entity || fist->GetParent() != event.entity)
        return;
    mPunching = true;
    mSwingPhase = 0.0f;
}

} // namespace fb::cmp
