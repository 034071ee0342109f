#pragma once

#include "core/Component.h"

#include <memory>
#include <rapidjson/document.h>
#include <string>

// Particle files: one JSON object per effect under "assets/json/particles/",
// as the particle editor writes them. The top level holds the system's keys
// ("sourceFilenme" (spelled so), "particleCount" (0: endless), "scale",
// "emitDelay", "emitDelayVary", "emitAngle", "emitAngleVary", "emitSpeed",
// "emitSpeedVary", "particleLifetime", "particleLifeVary", "drag",
// "doFading", "doShrinking"), and a "ParticleEmitter" object holds
// "EmitterType" and that type's keys:
//   "BasicEmitter"   "radius", "windX", "windY"
//   "AbsorbEmitter"  "radius", "pull"
//   "SquareEmitter"  "sizeX", "sizeY", "windX", "windY"
//
// The creators below are registered with the component factory under those
// names. A missing or mistyped key, or a number beyond any sensible size,
// is traced and read as 0, false or ""; a "particleCount" that is missing,
// negative or not a whole number makes no system at all, since the count
// decides whether the effect ever ends. So that every effect stays finite,
// the count (at most 10000), the lifetimes (0 to 10 s), the delays (0 to
// 5 s, and at least 1 ms for an endless effect) and the drag (0 to 30) are
// clamped, with a trace (render/ParticleLimits.h holds the ranges).

extern const char* const kParticleFolder;

// Reads kParticleFolder + fileName. Throws std::runtime_error
// "Could not load file: " + fileName when the file does not open. A file
// that does not parse is traced with parseMessage (and what is wrong where)
// and gives a null document.
rapidjson::Document ReadParticleFile(const std::string& fileName, const std::string& parseMessage);

// While one lives, the creators' messages name this file.
class ParticleFileScope {
public:
    explicit ParticleFileScope(std::string fileName);
    ~ParticleFileScope();
    ParticleFileScope(const ParticleFileScope&) = delete;
    ParticleFileScope& operator=(const ParticleFileScope&) = delete;

private:
    std::string mPrevious;
};

// A ParticleSystem from the top-level keys of v; empty without a usable count.
std::shared_ptr<fb::cmp::Component> CreateParticleSystem(const rapidjson::Value& v);
// The emitter that v's "ParticleEmitter" object describes, made by the
// creator its "EmitterType" names; empty (traced) when there is none, the
// type has no creator, or the creator makes something that is no emitter.
std::shared_ptr<fb::cmp::Component> CreateParticleEmitter(const rapidjson::Value& v);
std::shared_ptr<fb::cmp::Component> CreateBasicEmitter(const rapidjson::Value& v);
std::shared_ptr<fb::cmp::Component> CreateAbsorbEmitter(const rapidjson::Value& v);
std::shared_ptr<fb::cmp::Component> CreateSquareEmitter(const rapidjson::Value& v);
