#include "render/ParticleFile.h"

#include "core/ComponentFactory.h"
#include "core/JsonFile.h"
#include "core/Trace.h"
#include "render/AbsorbEmitter.h"
#include "render/BasicEmitter.h"
#include "render/ParticleSystem.h"
#include "render/SquareEmitter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

const char* const kParticleFolder = "assets/json/particles/";

namespace {

// No setting of a particle file means anything beyond this size.
constexpr float kMaxMagnitude = 1.0e6f;
// Bounds that keep every effect finite: a particle lives at most
// kMaxLifetime seconds, a file emits at most kMaxParticleCount particles,
// an endless effect at most one every kMinEndlessDelay seconds, and no
// effect waits longer than kMaxEmitDelay between two.
constexpr int kMaxParticleCount = 10000;
constexpr float kMaxLifetime = 10.0f;
constexpr float kMaxEmitDelay = 5.0f;
constexpr float kMinEndlessDelay = 0.001f;
// Above this, one frame's drag would turn a particle around.
constexpr float kMaxDrag = 30.0f;

// The file being read, for messages; empty outside a ParticleFileScope.
std::string gReading;

void Complain(const std::string& what)
{
    const std::string where = gReading.empty() ? std::string("Particle data") : "Particle file " + gReading;
    Trace(where + ": " + what, 3);
}

const rapidjson::Value* Member(const rapidjson::Value& object, const char* key)
{
    if (!object.IsObject())
        return nullptr;
    auto member = object.FindMember(key);
    return member == object.MemberEnd() ? nullptr : &member->value;
}

float ReadFloat(const rapidjson::Value& object, const char* key)
{
    const rapidjson::Value* value = Member(object, key);
    if (!value || !value->IsNumber()) {
        Complain(std::string("\"") + key + "\" is missing or not a number; 0 is used");
        return 0.0f;
    }
    const double number = value->GetDouble();
    if (!(std::fabs(number) <= kMaxMagnitude)) {
        Complain(std::string("\"") + key + "\" is " + std::to_string(number) + ", beyond any sensible size; 0 is used");
        return 0.0f;
    }
    return static_cast<float>(number);
}

// A value kept within [low, high], traced when it had to be moved.
float Clamped(float value, float low, float high, const char* key)
{
    const float kept = std::clamp(value, low, high);
    if (kept != value) {
        Complain(std::string("\"") + key + "\" " + std::to_string(value) + " is outside " + std::to_string(low) +
                 " to " + std::to_string(high) + "; " + std::to_string(kept) + " is used");
    }
    return kept;
}

bool ReadBool(const rapidjson::Value& object, const char* key)
{
    const rapidjson::Value* value = Member(object, key);
    if (!value || !value->IsBool()) {
        Complain(std::string("\"") + key + "\" is missing or not true or false; false is used");
        return false;
    }
    return value->GetBool();
}

std::string ReadString(const rapidjson::Value& object, const char* key)
{
    const rapidjson::Value* value = Member(object, key);
    if (!value || !value->IsString()) {
        Complain(std::string("\"") + key + "\" is missing or not a string; \"\" is used");
        return "";
    }
    return value->GetString();
}

// A whole number from 0 up, also when written as 12.0.
bool ReadCount(const rapidjson::Value& object, const char* key, int& count)
{
    const rapidjson::Value* value = Member(object, key);
    if (value && value->IsNumber()) {
        const double number = value->GetDouble();
        if (number >= 0.0 && number <= std::numeric_limits<int>::max() && std::floor(number) == number) {
            count = static_cast<int>(number);
            return true;
        }
    }
    Complain(std::string("\"") + key + "\" is missing or not a whole number from 0 up; no effect is made");
    return false;
}

ComponentFactory::Registration gSystem("ParticleSystem", CreateParticleSystem);
ComponentFactory::Registration gEmitter("ParticleEmitter", CreateParticleEmitter);
ComponentFactory::Registration gBasic("BasicEmitter", CreateBasicEmitter);
ComponentFactory::Registration gAbsorb("AbsorbEmitter", CreateAbsorbEmitter);
ComponentFactory::Registration gSquare("SquareEmitter", CreateSquareEmitter);

} // namespace

rapidjson::Document ReadParticleFile(const std::string& fileName, const std::string& parseMessage)
{
    rapidjson::Document document;
    std::string error;
    const fb::JsonFileStatus status = fb::ReadJsonFile(kParticleFolder + fileName, document, error);
    if (status == fb::JsonFileStatus::Missing)
        throw std::runtime_error("Could not load file: " + fileName);
    if (status == fb::JsonFileStatus::Invalid) {
        Trace(parseMessage + ": " + error, 3);
        document.SetNull();
    }
    return document;
}

ParticleFileScope::ParticleFileScope(std::string fileName)
    : mPrevious(std::move(gReading))
{
    gReading = std::move(fileName);
}

ParticleFileScope::~ParticleFileScope()
{
    gReading = std::move(mPrevious);
}

std::shared_ptr<fb::cmp::Component> CreateParticleSystem(const rapidjson::Value& v)
{
    if (!v.IsObject()) {
        Complain("not a JSON object; no effect is made");
        return nullptr;
    }
    const std::string texture = ReadString(v, "sourceFilenme");
    int count = 0;
    if (!ReadCount(v, "particleCount", count))
        return nullptr;
    if (count > kMaxParticleCount) {
        Complain("\"particleCount\" " + std::to_string(count) + " is above " + std::to_string(kMaxParticleCount) +
                 "; " + std::to_string(kMaxParticleCount) + " is used");
        count = kMaxParticleCount;
    }
    const bool endless = count == 0;
    const float scale = ReadFloat(v, "scale");
    const float emitDelay =
        Clamped(ReadFloat(v, "emitDelay"), endless ? kMinEndlessDelay : 0.0f, kMaxEmitDelay, "emitDelay");
    const float emitDelayVary = Clamped(ReadFloat(v, "emitDelayVary"), 0.0f, kMaxEmitDelay, "emitDelayVary");
    const float emitAngle = ReadFloat(v, "emitAngle");
    const float emitAngleVary = ReadFloat(v, "emitAngleVary");
    const float emitSpeed = ReadFloat(v, "emitSpeed");
    const float emitSpeedVary = ReadFloat(v, "emitSpeedVary");
    const float lifetime = Clamped(ReadFloat(v, "particleLifetime"), 0.0f, kMaxLifetime, "particleLifetime");
    const float lifeVary = Clamped(ReadFloat(v, "particleLifeVary"), 0.0f, kMaxLifetime, "particleLifeVary");
    const float drag = Clamped(ReadFloat(v, "drag"), 0.0f, kMaxDrag, "drag");
    const bool fading = ReadBool(v, "doFading");
    const bool shrinking = ReadBool(v, "doShrinking");
    return std::make_shared<ParticleSystem>(Texture(texture), count, scale, emitDelay, emitDelayVary, emitAngle,
                                            emitAngleVary, emitSpeed, emitSpeedVary, lifetime, lifeVary, drag,
                                            fading, shrinking);
}

std::shared_ptr<fb::cmp::Component> CreateParticleEmitter(const rapidjson::Value& v)
{
    const rapidjson::Value* emitter = Member(v, "ParticleEmitter");
    const rapidjson::Value* type = emitter ? Member(*emitter, "EmitterType") : nullptr;
    if (!type) {
        Trace("Particle Emitter factory called: no particle data found.", 3);
        return nullptr;
    }
    if (!type->IsString()) {
        Complain("\"EmitterType\" is not a string; the effect has no emitter");
        return nullptr;
    }
    const std::string name = type->GetString();
    if (name == "ParticleEmitter") {
        Complain("\"EmitterType\" \"ParticleEmitter\" would make an emitter of an emitter; the effect has no emitter");
        return nullptr;
    }
    std::shared_ptr<fb::cmp::Component> made = ComponentFactory::Create(name, *emitter);
    if (!std::dynamic_pointer_cast<ParticleEmitter>(made)) {
        Complain("\"EmitterType\" \"" + name + "\" names no emitter that can be read; the effect has no emitter");
        return nullptr;
    }
    return made;
}

std::shared_ptr<fb::cmp::Component> CreateBasicEmitter(const rapidjson::Value& v)
{
    const float radius = ReadFloat(v, "radius");
    const float windX = ReadFloat(v, "windX");
    const float windY = ReadFloat(v, "windY");
    return std::make_shared<BasicEmitter>(radius, windX, windY);
}

std::shared_ptr<fb::cmp::Component> CreateAbsorbEmitter(const rapidjson::Value& v)
{
    const float radius = ReadFloat(v, "radius");
    const float pull = ReadFloat(v, "pull");
    return std::make_shared<AbsorbEmitter>(radius, pull);
}

std::shared_ptr<fb::cmp::Component> CreateSquareEmitter(const rapidjson::Value& v)
{
    const float sizeX = ReadFloat(v, "sizeX");
    const float sizeY = ReadFloat(v, "sizeY");
    const float windX = ReadFloat(v, "windX");
    const float windY = ReadFloat(v, "windY");
    return std::make_shared<SquareEmitter>(glm::vec2(sizeX, sizeY), glm::vec2(windX, windY));
}
