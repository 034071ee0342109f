#include "render/ParticleFile.h"

#include "core/ComponentFactory.h"
#include "core/JsonFile.h"
#include "core/JsonMembers.h"
#include "core/Trace.h"
#include "render/AbsorbEmitter.h"
#include "render/BasicEmitter.h"
#include "render/ParticleLimits.h"
#include "render/ParticleSystem.h"
#include "render/SquareEmitter.h"

#include <stdexcept>

const char* const kParticleFolder = "assets/json/particles/";

namespace {

// The file being read, for messages; empty outside a ParticleFileScope.
std::string gReading;

void Complain(const std::string& what)
{
    const std::string where = gReading.empty() ? std::string("Particle data") : "Particle file " + gReading;
    Trace(where + ": " + what, 3);
}

// A missing or mistyped member, and what is used instead.
void ComplainOfMember(const char* key, const char* expected, const char* read)
{
    Complain(std::string("\"") + key + "\" is missing or not " + expected + "; " + read + " is used");
}

// A number of the file, kept within its key's range.
float ReadFloat(const rapidjson::Value& object, const char* key, bool endless = false)
{
    return KeepParticleValue(key, fb::ReadJsonNumber(object, key, ComplainOfMember), endless, Complain);
}

bool ReadBool(const rapidjson::Value& object, const char* key)
{
    return fb::ReadJsonBool(object, key, ComplainOfMember);
}

std::string ReadString(const rapidjson::Value& object, const char* key)
{
    return fb::ReadJsonString(object, key, ComplainOfMember);
}

bool ReadCount(const rapidjson::Value& object, int& count)
{
    const rapidjson::Value* value = fb::FindJsonMember(object, "particleCount");
    const double number = value && value->IsNumber() ? value->GetDouble() : -1.0;
    return KeepParticleCount(number, count, Complain);
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
    if (!ReadCount(v, count))
        return nullptr;
    const bool endless = count == 0;
    const float scale = ReadFloat(v, "scale");
    const float emitDelay = ReadFloat(v, "emitDelay", endless);
    const float emitDelayVary = ReadFloat(v, "emitDelayVary");
    const float emitAngle = ReadFloat(v, "emitAngle");
    const float emitAngleVary = ReadFloat(v, "emitAngleVary");
    const float emitSpeed = ReadFloat(v, "emitSpeed");
    const float emitSpeedVary = ReadFloat(v, "emitSpeedVary");
    const float lifetime = ReadFloat(v, "particleLifetime");
    const float lifeVary = ReadFloat(v, "particleLifeVary");
    const float drag = ReadFloat(v, "drag");
    const bool fading = ReadBool(v, "doFading");
    const bool shrinking = ReadBool(v, "doShrinking");
    return std::make_shared<ParticleSystem>(Texture(texture), count, scale, emitDelay, emitDelayVary, emitAngle,
                                            emitAngleVary, emitSpeed, emitSpeedVary, lifetime, lifeVary, drag,
                                            fading, shrinking);
}

std::shared_ptr<fb::cmp::Component> CreateParticleEmitter(const rapidjson::Value& v)
{
    const rapidjson::Value* emitter = fb::FindJsonMember(v, "ParticleEmitter");
    const rapidjson::Value* type = emitter ? fb::FindJsonMember(*emitter, "EmitterType") : nullptr;
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
