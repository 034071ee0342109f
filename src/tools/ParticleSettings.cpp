#include "tools/ParticleSettings.h"

#include "render/AbsorbEmitter.h"
#include "render/BasicEmitter.h"
#include "render/ElipticalEmitter.h"
#include "render/SquareEmitter.h"

#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// One emitter type in the file: its name and which emitter value each key holds.
struct EmitterLayout {
    const char* name;
    std::vector<std::pair<const char*, int>> keys;
};

const EmitterLayout kLayouts[] = {
    {"BasicEmitter", {{"radius", 0}, {"windX", 2}, {"windY", 3}}},
    {"ElipticalEmitter", {{"sizeX", 0}, {"sizeY", 1}, {"windX", 2}, {"windY", 3}}},
    {"AbsorbEmitter", {{"radius", 0}, {"pull", 2}}},
    {"SquareEmitter", {{"sizeX", 0}, {"sizeY", 1}, {"windX", 2}, {"windY", 3}}},
};

using Writer = rapidjson::PrettyWriter<rapidjson::StringBuffer>;

void WriteFloat(Writer& writer, const char* key, float value)
{
    writer.Key(key);
    writer.Double(static_cast<double>(value));
}

void WriteBool(Writer& writer, const char* key, bool value)
{
    writer.Key(key);
    writer.Bool(value);
}

const rapidjson::Value* Member(const rapidjson::Value& object, const char* key)
{
    auto member = object.FindMember(key);
    return member == object.MemberEnd() ? nullptr : &member->value;
}

void ReadFloat(const rapidjson::Value& object, const char* key, float& value)
{
    const rapidjson::Value* member = Member(object, key);
    if (member && member->IsNumber())
        value = member->GetFloat();
}

void ReadFlag(const rapidjson::Value& object, const char* key, bool& value)
{
    if (const rapidjson::Value* member = Member(object, key))
        value = member->IsTrue();
}

bool ReadEmitter(const rapidjson::Value& root, ParticleSettings& settings)
{
    const rapidjson::Value* emitter = Member(root, "ParticleEmitter");
    if (!emitter || !emitter->IsObject())
        return false;
    const rapidjson::Value* type = Member(*emitter, "EmitterType");
    if (!type || !type->IsString())
        return false;
    for (int index = 0; index < ParticleSettings::NoEmitter; ++index) {
        const EmitterLayout& layout = kLayouts[index];
        if (std::string_view(type->GetString(), type->GetStringLength()) != layout.name)
            continue;
        for (const auto& [key, value] : layout.keys)
            ReadFloat(*emitter, key, settings.emitterValues[value]);
        settings.emitterType = index;
        return true;
    }
    return false;
}

} // namespace

std::string ParticleSettingsToJson(const ParticleSettings& settings)
{
    rapidjson::StringBuffer text;
    Writer writer(text);
    writer.SetIndent(' ', 4);
    writer.StartObject();
    writer.Key("sourceFilenme");
    writer.String(settings.sourceFile.c_str(), static_cast<rapidjson::SizeType>(settings.sourceFile.size()));
    writer.Key("particleCount");
    writer.Int(settings.particleCount);
    WriteFloat(writer, "scale", settings.scale);
    WriteFloat(writer, "emitDelay", settings.emitDelay);
    WriteFloat(writer, "emitDelayVary", settings.emitDelayVary);
    WriteFloat(writer, "emitAngle", settings.emitAngle);
    WriteFloat(writer, "emitAngleVary", settings.emitAngleVary);
    WriteFloat(writer, "emitSpeed", settings.emitSpeed);
    WriteFloat(writer, "emitSpeedVary", settings.emitSpeedVary);
    WriteFloat(writer, "particleLifetime", settings.particleLifetime);
    WriteFloat(writer, "particleLifeVary", settings.particleLifeVary);
    WriteFloat(writer, "drag", settings.drag);
    WriteBool(writer, "doFading", settings.fading);
    WriteBool(writer, "doShrinking", settings.shrinking);
    if (settings.emitterType >= 0 && settings.emitterType < ParticleSettings::NoEmitter) {
        const EmitterLayout& layout = kLayouts[settings.emitterType];
        writer.Key("ParticleEmitter");
        writer.StartObject();
        writer.Key("EmitterType");
        writer.String(layout.name);
        for (const auto& [key, value] : layout.keys)
            WriteFloat(writer, key, settings.emitterValues[value]);
        writer.EndObject();
    }
    writer.EndObject();
    return std::string(text.GetString(), text.GetSize());
}

bool ReadParticleSettings(const rapidjson::Value& root, ParticleSettings& settings)
{
    if (const rapidjson::Value* source = Member(root, "sourceFilenme"); source && source->IsString())
        settings.sourceFile.assign(source->GetString(), source->GetStringLength());
    if (const rapidjson::Value* count = Member(root, "particleCount"); count && count->IsInt())
        settings.particleCount = count->GetInt();
    ReadFloat(root, "scale", settings.scale);
    ReadFloat(root, "emitDelay", settings.emitDelay);
    ReadFloat(root, "emitDelayVary", settings.emitDelayVary);
    ReadFloat(root, "emitAngle", settings.emitAngle);
    ReadFloat(root, "emitAngleVary", settings.emitAngleVary);
    ReadFloat(root, "emitSpeed", settings.emitSpeed);
    ReadFloat(root, "emitSpeedVary", settings.emitSpeedVary);
    ReadFloat(root, "particleLifetime", settings.particleLifetime);
    ReadFloat(root, "particleLifeVary", settings.particleLifeVary);
    ReadFloat(root, "drag", settings.drag);
    ReadFlag(root, "doFading", settings.fading);
    ReadFlag(root, "doShrinking", settings.shrinking);
    return ReadEmitter(root, settings);
}

std::shared_ptr<ParticleEmitter> MakeEmitter(const ParticleSettings& settings)
{
    const float* v = settings.emitterValues;
    switch (settings.emitterType) {
    case ParticleSettings::Basic: return std::make_shared<BasicEmitter>(v[0], v[2], v[3]);
    case ParticleSettings::Elipse: return std::make_shared<ElipticalEmitter>(v[0], v[1], v[2], v[3]);
    case ParticleSettings::Absorb: return std::make_shared<AbsorbEmitter>(v[0], v[2]);
    case ParticleSettings::Square: return std::make_shared<SquareEmitter>(glm::vec2(v[0], v[1]), glm::vec2(v[2], v[3]));
    default: return nullptr;
    }
}
