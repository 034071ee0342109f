#include "game/SlimeMeteor.h"

#include "audio/GameEvent.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/EventChannels.h"
#include "core/Input.h"
#include "core/Random.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "game/AISpawner.h"
#include "render/CamManager.h"
#include "render/KillClock.h"
#include "render/ParticleEffects.h"
#include "render/Sprite.h"
#include "render/SquishNStretch.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace {

constexpr float kSpinRate = 3.14f;
constexpr float kAnnounceTime = 1.5f;
// The share of the time left that one frame may take before the ground shakes.
constexpr float kCloseRatio = 0.03f;
constexpr float kMinTilt = 0.2f;
constexpr float kMaxTilt = 0.75f;

void RumbleAllPads(float strength, float duration)
{
    for (unsigned pad = 0; pad < 4; ++pad) {
        if (Controller* controller = Input::GetController(pad))
            controller->Vibrate(strength, strength, duration);
    }
}

} // namespace

SlimeMeteor::SlimeMeteor(glm::vec2 velocity, unsigned alienCount, float fallTime)
    : mVelocity(velocity)
    , mAlienCount(alienCount)
    , mTimeLeft(fallTime)
{
}

SlimeMeteor::~SlimeMeteor()
{
    if (!mTransform || EntityManager::IsClearing())
        return;
    try {
        Impact();
    } catch (const std::exception& error) {
        Trace(std::string("The meteor's impact failed: ") + error.what(), 4);
    }
}

void SlimeMeteor::Init()
{
    std::shared_ptr<fb::Entity> owner = GetOwner().lock();
    if (!owner)
        return;
    mTransform = owner->GetComponent<fb::cmp::Transform>();
    owner->AddComponent(std::make_shared<KillClock>(mTimeLeft));
}

void SlimeMeteor::OnComponentAdded(std::weak_ptr<fb::cmp::Component> added)
{
    if (auto transform = std::dynamic_pointer_cast<fb::cmp::Transform>(added.lock()))
        mTransform = transform;
}

void SlimeMeteor::Update()
{
    if (!mTransform)
        return;
    const float dt = Time::GetScaledDt();
    const glm::vec2 position = mTransform->GetPosition() + mVelocity * dt;
    mTransform->SetPosition(position);
    mTransform->SetRotation(mTransform->GetRotation() + kSpinRate * dt);
    const glm::vec2 ahead = position + mVelocity * dt;
    CamManager::AddFocusPoint(ahead.x, ahead.y, 1);

    mTimeLeft -= dt;
    if (mTimeLeft < kAnnounceTime && !mAnnounced) {
        mAnnounced = true;
        fb::evt::GameEventSubject::Get()->CallNotify(
            fb::evt::GameEvent(GetOwner().lock(), fb::evt::GameEventType::MeteorBoom));
    }
    if (mTimeLeft > 0.0f && dt / mTimeLeft > kCloseRatio) {
        CamManager::Shake(0.1f, 0.007f);
        RumbleAllPads(0.25f, 0.1f);
    }
}

SlimeMeteor* SlimeMeteor::Clone()
{
    auto* copy = new SlimeMeteor(mVelocity, mAlienCount, mTimeLeft);
    copy->mAnnounced = mAnnounced;
    return copy;
}

void SlimeMeteor::Impact()
{
    const glm::vec2 at = mTransform->GetPosition();
    for (unsigned i = 0; i < mAlienCount; ++i)
        AISpawner::SpawnAlienRandomOffset(at, AlienKind::Normal, "Steam");
    CamManager::Shake(0.5f, 0.09f);
    RumbleAllPads(0.75f, 0.2f);
    MakeParticle("SlimeSplat", 20.0f, at, false);
    if (std::shared_ptr<CamManager::Camera> camera = CamManager::GetActiveCamera()) {
        float tilt = 0.0f;
        while (std::fabs(tilt) < kMinTilt)
            tilt = Random::Float(-kMaxTilt, kMaxTilt);
        camera->SetRotation(tilt);
    }
}

void SpawnSlimeMeteor(const glm::vec2& start, const glm::vec2& target, float fallTime, int alienCount)
{
    if (!(fallTime > 0.0f)) {
        Trace("A slime meteor needs a fall time above 0", 3);
        return;
    }
    std::shared_ptr<fb::Entity> meteor = MakeParticleEntity("SlimeSpew", 5.0f, {0.0f, 0.0f}, false);
    if (!meteor)
        meteor = std::make_shared<fb::Entity>("SlimeMeteor");
    meteor->AddComponent(std::make_shared<fb::cmp::Transform>(start, glm::vec2(1.0f, 1.0f), 0.0f));
    meteor->AddComponent(std::make_shared<SlimeMeteor>((target - start) * (1.0f / fallTime),
                                                       static_cast<unsigned>(std::max(alienCount, 0)), fallTime));
    meteor->AddComponent(std::make_shared<SquishNStretch>(15.0f, 0.2f));
    meteor->AddComponent(std::make_shared<Sprite>("./assets/img/Alien.png", 1.0f, 2));
    EntityManager::Add(meteor);
}
