#pragma once

#include "core/Component.h"
#include "render/Particle.h"
#include "render/ParticleEmitter.h"
#include "render/Texture.h"

#include <vector>
#include <memory>

// Emits, moves, ages and draws the particles of one effect entity. It emits
// on a timer, asks the entity's emitter where each particle starts and which
// force acts on it, applies drag, drops dead particles and draws each live
// one as a textured square on render layer 2.
//
// Every "vary" setting v means base + Random::Float(-v, v), drawn afresh at
// each use. A count of 0 given to the constructor (as particle files say it)
// emits for ever.
class ParticleSystem : public fb::cmp::Component {
public:
    // However small the delays, an emission waits at least this long, and
    // one update makes at most kMaxSpawnsPerUpdate particles.
    static constexpr float kMinEmitDelay = 0.0001f;
    static constexpr int kMaxSpawnsPerUpdate = 1000;

    ParticleSystem(const Texture& texture, int particleCount, float scale, float emitDelay, float emitDelayVary,
                   float emitAngle, float emitAngleVary, float emitSpeed, float emitSpeedVary,
                   float particleLifetime, float particleLifeVary, float drag, bool doFading, bool doShrinking);
    // Copies the live particles too, and shares the emitter.
    ParticleSystem(const ParticleSystem& other) = default;
    ParticleSystem& operator=(const ParticleSystem&) = delete;

    // Loads the texture and takes the entity's emitter, if it has one.
    void Init() override;
    // An emitter added to the entity becomes this system's emitter.
    void OnComponentAdded(std::weak_ptr<fb::cmp::Component> added) override;
    // With the scaled frame time, or the plain one when useUnscaledTime is set.
    void Update() override;
    ParticleSystem* Clone() override;

    // Emits, drops the dead, moves and draws. Without an emitter particles
    // still age and die, but do not move.
    void UpdateParticles(float dt);
    void DrawParticles();
    void SpawnParticle();

    // Multiplies the particle size and the start speed with its variation.
    void Scale(float factor);
    void SetTexture(const Texture& texture);
    // Seconds until the effect is over: 0 for an endless system that has
    // not emitted yet, -1 when it cannot say.
    float GetTotalLifetime() const;
    // Raises the count by `step` until the effect lasts `seconds`. It stops
    // early when a step no longer lengthens it (delays that add up to no
    // time), and after 1000 steps.
    void ExtendToLifetime(float seconds, int step);

    const Texture& GetTexture() const { return mTexture; }
    int GetParticleCount() const { return mParticleCount; }
    void SetParticleCount(int count) { mParticleCount = count; }
    const std::vector<Particle>& GetParticles() const { return mParticles; }
    float GetScale() const { return mScale; }
    float GetEmitAngle() const { return mEmitAngle; }
    void SetEmitAngle(float radians) { mEmitAngle = radians; }
    float GetEmitSpeed() const { return mEmitSpeed; }
    float GetEmitSpeedVary() const { return mEmitSpeedVary; }
    std::shared_ptr<ParticleEmitter> GetEmitter() const { return mEmitter; }
    bool GetUseUnscaledTime() const { return mUseUnscaledTime; }
    void SetUseUnscaledTime(bool unscaled) { mUseUnscaledTime = unscaled; }

private:
    void Emit(float dt);
    void Age(float dt);
    float NextDelay();
    std::size_t MostLiveParticles() const;

    Texture mTexture;
    int mParticleCount;
    float mEmitTimer = 0.0f;
    std::vector<Particle> mParticles;
    float mScale;
    float mEmitDelay;
    float mEmitDelayVary;
    float mEmitAngle;
    float mEmitAngleVary;
    float mEmitSpeed;
    float mEmitSpeedVary;
    float mParticleLifetime;
    float mParticleLifeVary;
    float mDrag;
    bool mDoFading;
    bool mDoShrinking;
    std::shared_ptr<ParticleEmitter> mEmitter;
    bool mUseUnscaledTime = false;
};
