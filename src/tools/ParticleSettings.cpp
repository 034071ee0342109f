#include "tools/ParticleSettings.h"

#include "core/JsonMembers.h"
#include "core/JsonWriting.h"
#include "render/AbsorbEmitter.h"
#include "render/BasicEmitter.h"
#include "render/ElipticalEmitter.h"
#include "render/ParticleLimits.h"
#include "render/SquareEmitter.h"

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

// The system's numbers in file order, each under its key.
const std::pair<const char*, float ParticleSettings::*> kSystemNumbers[] = {
    {"scale", &ParticleSettings::scale},
    {"emitDelay", &ParticleSettings::emitDelay},
    {"emitDelayVary", &ParticleSettings::emitDelayVary},
    {"emitAngle", &ParticleSettings::emitAngle},
    {"emitAngleVary", &ParticleSettings::emitAngleVary},
    {"emitSpeed", &ParticleSettings::emitSpeed},
    {"emitSpeedVary", &ParticleSettings::emitSpeedVary},
    {"particleLifetime", &ParticleSettings::particleLifetime},
    {"particleLifeVary", &ParticleSettings::particleLifeVary},
    {"drag", &ParticleSettings::drag},
};

const EmitterLayout* LayoutOf(const ParticleSettings& settings)
{
    if (settings.emitterType < 0 || settings.emitterType >= ParticleSettings::NoEmitter)
        return nullptr;
    return &kLayouts[settings.emitterType];
}

bool IsEndless(const ParticleSettings& settings)
{
    return settings.particleCount == 0;
}

// A number the root holds, kept within the particle ranges.
void ReadNumber(const rapidjson::Value& object, const char* key, bool endless, float& value)
{
    const rapidjson::Value* member = fb::FindJsonMember(object, key);
    if (member && member->IsNumber())
        value = KeepParticleValue(key, member->GetDouble(), endless, nullptr);
}

void ReadFlag(const rapidjson::Value& object, const char* key, bool& value)
{
    if (const rapidjson::Value* member = fb::FindJsonMember(object, key))
        value = member->IsTrue();
}

bool ReadEmitter(const rapidjson::Value& root, ParticleSettings& settings)
{
    const rapidjson::Value* emitter = fb::FindJsonMember(root, "ParticleEmitter");
    const rapidjson::Value* type = emitter ? fb::FindJsonMember(*emitter, "EmitterType") : nullptr;
    if (!type || !type->IsString())
        return false;
    for (int index = 0; index < ParticleSettings::NoEmitter; ++index) {
        const EmitterLayout& layout = kLayouts[index];
        if (std::string_view(type->GetString(), type->GetStringLength()) != layout.name)
            continue;
        for (const auto& [key, value] : layout.keys)
            ReadNumber(*emitter, key, false, settings.emitterValues[value]);
        settings.emitterType = index;
        return true;
    }
    return false;
}

} // namespace

rapidjson::Document ParticleSettingsDocument(const ParticleSettings& settings)
{
    rapidjson::Document document(rapidjson::kObjectType);
    auto& allocator = document.GetAllocator();
    document.AddMember("sourceFilenme", rapidjson::Value(settings.sourceFile.c_str(), allocator), allocator);
    document.AddMember("particleCount", settings.particleCount, allocator);
    for (const auto& [key, member] : kSystemNumbers)
        document.AddMember(rapidjson::StringRef(key), fb::ShortestFloat(settings.*member), allocator);
    document.AddMember("doFading", settings.fading, allocator);
    document.AddMember("doShrinking", settings.shrinking, allocator);
    if (const EmitterLayout* layout = LayoutOf(settings)) {
        rapidjson::Value emitter(rapidjson::kObjectType);
        emitter.AddMember("EmitterType", rapidjson::StringRef(layout->name), allocator);
        for (const auto& [key, value] : layout->keys)
            emitter.AddMember(rapidjson::StringRef(key), fb::ShortestFloat(settings.emitterValues[value]), allocator);
        document.AddMember("ParticleEmitter", emitter, allocator);
    }
    return document;
}

bool ReadParticleSettings(const rapidjson::Value& root, ParticleSettings& settings)
{
    if (const rapidjson::Value* source = fb::FindJsonMember(root, "sourceFilenme"); source && source->IsString())
        settings.sourceFile.assign(source->GetString(), source->GetStringLength());
    if (const rapidjson::Value* count = fb::FindJsonMember(root, "particleCount"); count && count->IsNumber())
        KeepParticleCount(count->GetDouble(), settings.particleCount, nullptr);
    for (const auto& [key, member] : kSystemNumbers)
        ReadNumber(root, key, IsEndless(settings), settings.*member);
    ReadFlag(root, "doFading", settings.fading);
    ReadFlag(root, "doShrinking", settings.shrinking);
    return ReadEmitter(root, settings);
}

bool KeepWithinParticleLimits(ParticleSettings& settings, const ParticleComplaint& complain)
{
    if (!KeepParticleCount(settings.particleCount, settings.particleCount, complain))
        return false;
    for (const auto& [key, member] : kSystemNumbers)
        settings.*member = KeepParticleValue(key, settings.*member, IsEndless(settings), complain);
    if (const EmitterLayout* layout = LayoutOf(settings)) {
        for (const auto& [key, value] : layout->keys)
            settings.emitterValues[value] = KeepParticleValue(key, settings.emitterValues[value], false, complain);
    }
    return true;
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
