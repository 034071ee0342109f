#pragma once

#include "render/ParticleEmitter.h"
#include "render/ParticleLimits.h"

#include <memory>
#include <rapidjson/document.h>
#include <string>

// What the particle editor tunes: one effect's particle system and the
// shape of its emitter, with the values it starts with.
struct ParticleSettings {
    enum EmitterType { Basic = 0, Elipse = 1, Absorb = 2, Square = 3, NoEmitter = 4, TypeCount = 5 };

    std::string sourceFile = "assets/img/WhitePurpleFighterHand.png";
    int particleCount = 10;
    float scale = 0.035f;
    float emitDelay = 0.05f;
    float emitDelayVary = 0.0f;
    float emitAngle = 0.0f;
    float emitAngleVary = 3.14159274f;
    float emitSpeed = 2.0f;
    float emitSpeedVary = 0.0f;
    float drag = 0.0f;
    float particleLifetime = 5.0f;
    float particleLifeVary = 0.0f;
    bool fading = false;
    bool shrinking = false;
    int emitterType = Basic;
    // Shared by every type: radius or size x; size y; wind x or pull; wind y.
    float emitterValues[4] = {0.0f, 0.0f, 0.0f, 0.0f};
};

// The editor's particle file: the system's keys at the root, then, unless
// there is no emitter, a "ParticleEmitter" object with "EmitterType" and the
// type's numbers. Every float is held in its shortest form (ShortestFloat).
rapidjson::Document ParticleSettingsDocument(const ParticleSettings& settings);

// Takes what the root holds: a key that is missing or of another type keeps
// the setting's value ("doFading" and "doShrinking" are true only for the
// JSON literal true). Numbers are kept within the ranges of particle files,
// as the game reads them: "particleCount" 12.0 is 12. The emitter's numbers
// and type are taken only when "EmitterType" names a known emitter; true then.
bool ReadParticleSettings(const rapidjson::Value& root, ParticleSettings& settings);

// Moves every value into the ranges of particle files, telling complain of
// each move. False, with nothing changed, when the count is negative: no
// effect is made of such settings.
bool KeepWithinParticleLimits(ParticleSettings& settings, const ParticleComplaint& complain);

// The emitter of the settings' type; empty for NoEmitter.
std::shared_ptr<ParticleEmitter> MakeEmitter(const ParticleSettings& settings);
