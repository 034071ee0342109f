#include "render/ParticleFile.h"

#include "core/ComponentFactory.h"
#include "core/Trace.h"
#include "render/AbsorbEmitter.h"
#include "render/BasicEmitter.h"
#include "render/ParticleSystem.h"
#include "render/SquareEmitter.h"

#include <cmath>
#include <fstream>
#include <limits>
#include <rapidjson/error/en.h>
#include <rapidjson/istreamwrapper.h>
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
    return value->GetFloat();
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
    std::ifstream stream(kParticleFolder + fileName);
    if (!stream)
        throw std::runtime_error("Could not load file: " + fileName);
    rapidjson::Document document;
    rapidjson::IStreamWrapper wrapper(stream);
    document.ParseStream(wrapper);
    if (document.HasParseError()) {
        Trace(parseMessage + ": " + fileName + ": " + rapidjson::GetParseError_En(document.GetParseError()) +
                  " (at byte " + std::to_string(document.GetErrorOffset()) + ")",
              3);
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
    const float scale = ReadFloat(v, "scale");
    const float emitDelay = ReadFloat(v, "emitDelay");
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
