#include "render/ParticleSystem.h"

#include "core/Entity.h"
#include "core/Random.h"
#include "core/Time.h"
#include "core/Transform.h"
#include "render/Renderer.h"
#include "render/TextureManager.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kParticleLayer = 2;
constexpr int kMaxExtendSteps = 1000;

float Varied(float base, float vary)
{
    return base + Random::Float(-vary, vary);
}

} // namespace

ParticleSystem::ParticleSystem(const Texture& texture, int particleCount, float scale, float emitDelay,
                               float emitDelayVary, float emitAngle, float emitAngleVary, float emitSpeed,
                               float emitSpeedVary, float particleLifetime, float particleLifeVary, float drag,
                               bool doFading, bool doShrinking)
    : mTexture(texture)
    , mParticleCount(particleCount == 0 ? -1 : particleCount)
    , mScale(scale)
    , mEmitDelay(emitDelay)
    , mEmitDelayVary(emitDelayVary)
    , mEmitAngle(emitAngle)
    , mEmitAngleVary(emitAngleVary)
    , mEmitSpeed(emitSpeed)
    , mEmitSpeedVary(emitSpeedVary)
    , mParticleLifetime(particleLifetime)
    , mParticleLifeVary(particleLifeVary)
    , mDrag(drag)
    , mDoFading(doFading)
    , mDoShrinking(doShrinking)
{
}

void ParticleSystem::Init()
{
    TextureManager::Get(mTexture);
    std::shared_ptr<fb::Entity> owner = GetOwner().lock();
    if (!owner)
        return;
    // Emitters made from archetypes are stored under their own class.
    for (const auto& entry : owner->GetComponents()) {
        if (auto emitter = std::dynamic_pointer_cast<ParticleEmitter>(entry.second)) {
            mEmitter = emitter;
            return;
        }
    }
}

void ParticleSystem::OnComponentAdded(std::weak_ptr<fb::cmp::Component> added)
{
    if (auto emitter = std::dynamic_pointer_cast<ParticleEmitter>(added.lock()))
        mEmitter = emitter;
}

void ParticleSystem::Update()
{
    UpdateParticles(mUseUnscaledTime ? Time::GetDt() : Time::GetScaledDt());
}

ParticleSystem* ParticleSystem::Clone()
{
    return new ParticleSystem(*this);
}

void ParticleSystem::UpdateParticles(float dt)
{
    Emit(dt);
    std::erase_if(mParticles, [](const Particle& particle) { return particle.life <= 0.0f; });
    Age(dt);
    DrawParticles();
}

float ParticleSystem::NextDelay()
{
    return std::max(Varied(mEmitDelay, mEmitDelayVary), kMinEmitDelay);
}

void ParticleSystem::Emit(float dt)
{
    if (mParticleCount == 0)
        return;
    mEmitTimer -= dt;
    int spawns = 0;
    while (mEmitTimer <= 0.0f && mParticleCount != 0) {
        if (spawns == kMaxSpawnsPerUpdate) {
            // Far behind (a long frame or a tiny delay): drop the backlog.
            mEmitTimer = 0.0f;
            return;
        }
        SpawnParticle();
        ++spawns;
        mEmitTimer += NextDelay();
    }
}

void ParticleSystem::Age(float dt)
{
    for (Particle& particle : mParticles) {
        particle.life -= dt;
        if (!mEmitter)
            continue;
        const glm::vec2 force = mEmitter->GetForce(particle);
        particle.velocity += force * dt;
        particle.position += particle.velocity * dt;
        particle.velocity -= particle.velocity * mDrag * dt;
    }
}

void ParticleSystem::DrawParticles()
{
    TextureManager::Refresh(mTexture);
    Renderer::SetTexture(mTexture);
    if (!mDoFading)
        Renderer::SetOpacity(1.0f);
    for (const Particle& particle : mParticles) {
        // A particle that died this frame is drawn once more, as nothing.
        const float remaining = std::max(particle.life / particle.maxLife, 0.0f);
        if (mDoFading)
            Renderer::SetOpacity(remaining);
        const float size = mDoShrinking ? mScale * remaining : mScale;
        const glm::mat3 rows(size, 0.0f, particle.position.x, 0.0f, size, particle.position.y, 0.0f, 0.0f, 1.0f);
        Renderer::SetTransformFromValues(rows);
        Renderer::Submit(kParticleLayer);
    }
    Renderer::SetOpacity(1.0f);
}

void ParticleSystem::SpawnParticle()
{
    const float life = Varied(mParticleLifetime, mParticleLifeVary);
    if (!(life > 0.0f))
        return;
    const float angle = Varied(mEmitAngle, mEmitAngleVary);
    const float speed = Varied(mEmitSpeed, mEmitSpeedVary);
    Particle particle;
    particle.velocity = glm::vec2(std::cos(angle), std::sin(angle)) * speed;
    particle.life = life;
    particle.maxLife = life;

    glm::vec2 position = mEmitter ? mEmitter->GetSpawnOffset(particle) : glm::vec2(0.0f, 0.0f);
    if (std::shared_ptr<fb::Entity> owner = GetOwner().lock()) {
        if (auto transform = owner->GetComponent<fb::cmp::Transform>())
            position += transform->GetPosition();
    }
    particle.position = position;

    // The room for every particle alive at once is made with the first one,
    // not grown over the effect's first frames.
    if (mParticles.capacity() == 0)
        mParticles.reserve(MostLiveParticles());
    if (mParticleCount > 0)
        --mParticleCount;
    mParticles.push_back(particle);
}

std::size_t ParticleSystem::MostLiveParticles() const
{
    constexpr float kMostReserved = 256.0f;
    const float shortestDelay = std::max(mEmitDelay - std::fabs(mEmitDelayVary), kMinEmitDelay);
    const float longestLife = mParticleLifetime + std::fabs(mParticleLifeVary);
    // One more: a particle that died this frame leaves with the next.
    float most = std::min(longestLife / shortestDelay + 2.0f, kMostReserved);
    if (mParticleCount > 0)
        most = std::min(most, static_cast<float>(mParticleCount));
    return most >= 1.0f ? static_cast<std::size_t>(most) : 1;
}

void ParticleSystem::Scale(float factor)
{
    mScale *= factor;
    mEmitSpeed *= factor;
    mEmitSpeedVary *= factor;
}

void ParticleSystem::SetTexture(const Texture& texture)
{
    mTexture = texture;
    TextureManager::Get(mTexture);
}

float ParticleSystem::GetTotalLifetime() const
{
    if (mParticleCount < 1 && mParticles.empty())
        return 0.0f;
    if (mParticleCount >= -1)
        return (mEmitDelay + mEmitDelayVary) * static_cast<float>(mParticleCount) +
               (mParticleLifetime + mParticleLifeVary);
    return -1.0f;
}

void ParticleSystem::ExtendToLifetime(float seconds, int step)
{
    float total = GetTotalLifetime();
    for (int steps = 0; steps < kMaxExtendSteps && total < seconds; ++steps) {
        if (mParticleCount > std::numeric_limits<int>::max() - step)
            return;
        mParticleCount += step;
        const float longer = GetTotalLifetime();
        if (!(longer > total))
            return;
        total = longer;
    }
}
