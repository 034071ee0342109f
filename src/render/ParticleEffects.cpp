#include "render/ParticleEffects.h"

#include "core/ComponentFactory.h"
#include "core/EntityManager.h"
#include "core/KeptFiles.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "render/FootstepEmitter.h"
#include "render/KillClock.h"
#include "render/ParticleFile.h"
#include "render/ParticleSystem.h"
#include "render/StreakEmitter.h"

#include <stdexcept>

namespace {

constexpr float kPi = 3.1415927f;
// Streaks get particles in batches of this many until they last the sweep.
constexpr int kStreakBatch = 20;

// Where an effect comes from and what its entity is called.
struct EffectFile {
    std::string fileName;
    std::string parseMessage;
    std::string entityName;
};

EffectFile Named(const std::string& name)
{
    return {name + ".json", "json parse error in MakeParticle", name + "Particles"};
}

const EffectFile kDoubleJump{"DoubleJump.json", "json parse error in MakePunchParticle", "PunchParticles"};
const EffectFile kPunch{"DravikHit.json", "json parse error in MakePunchParticle", "PunchParticles"};
const EffectFile kLanding{"Landing.json", "json parse error in MakePunchParticle", "PunchParticles"};
const EffectFile kSquish{"SlimeSplat.json", "json parse error in MakeSquishParticle", "SquishParticles"};

// The file's document, read on its first use only. Throws as
// ReadParticleFile does, every time for a file that did not open.
std::shared_ptr<const rapidjson::Document> ReadKeptParticleFile(const EffectFile& file)
{
    const std::string path = kParticleFolder + file.fileName;
    const KeptFiles::KeptFile* kept = KeptFiles::Find(path);
    if (!kept) {
        KeptFiles::KeptFile read;
        try {
            read.document = std::make_shared<rapidjson::Document>(ReadParticleFile(file.fileName, file.parseMessage));
        } catch (const std::runtime_error& error) {
            read.failure = error.what();
        }
        KeptFiles::Keep(path, std::move(read));
        kept = KeptFiles::Find(path);
    }
    if (!kept->document)
        throw std::runtime_error(kept->failure);
    return kept->document;
}

// The effect entity of a file, or empty (traced) when it cannot be made.
// The emitter is sized per axis by emitterScale when there is one.
std::shared_ptr<fb::Entity> Build(const EffectFile& file, float size, const glm::vec2* emitterScale,
                                  glm::vec2 position, bool mirror)
{
    std::shared_ptr<const rapidjson::Document> kept;
    try {
        kept = ReadKeptParticleFile(file);
    } catch (const std::runtime_error& error) {
        Trace(std::string(error.what()) + "; the effect is not shown", 4);
        return nullptr;
    }
    const rapidjson::Document& document = *kept;
    if (document.IsNull())
        return nullptr;

    ParticleFileScope scope(file.fileName);
    auto system = std::dynamic_pointer_cast<ParticleSystem>(ComponentFactory::Create("ParticleSystem", document));
    if (!system)
        return nullptr;
    system->Scale(size);
    auto emitter = std::dynamic_pointer_cast<ParticleEmitter>(ComponentFactory::Create("ParticleEmitter", document));
    if (emitter) {
        if (emitterScale)
            emitter->ScaleXY(*emitterScale);
        else
            emitter->Scale(size);
    }
    if (mirror)
        system->SetEmitAngle(kPi - system->GetEmitAngle());

    auto entity = std::make_shared<fb::Entity>(file.entityName);
    entity->AddComponent<fb::cmp::Transform>(
        std::make_shared<fb::cmp::Transform>(position, glm::vec2(0.0f, 0.0f), 0.0f));
    entity->AddComponent<ParticleSystem>(system);
    if (emitter)
        entity->AddComponent<ParticleEmitter>(emitter);
    return entity;
}

float TotalLifetime(const fb::Entity& entity)
{
    return entity.GetComponent<ParticleSystem>()->GetTotalLifetime();
}

// A self-destroying effect; `always` gives even an endless one its timer.
void Spawn(std::shared_ptr<fb::Entity> entity, bool always)
{
    if (!entity)
        return;
    const float lifetime = TotalLifetime(*entity);
    if (always || lifetime != 0.0f)
        entity->AddComponent<KillClock>(std::make_shared<KillClock>(lifetime));
    EntityManager::Add(std::move(entity));
}

} // namespace

void MakeParticle(const std::string& name, float size, glm::vec2 position, bool mirror)
{
    Spawn(Build(Named(name), size, nullptr, position, mirror), false);
}

void MakeParticle(const std::string& name, float size, const glm::vec2& emitterScale, glm::vec2 position,
                  bool mirror)
{
    Spawn(Build(Named(name), size, &emitterScale, position, mirror), false);
}

std::shared_ptr<fb::Entity> MakeParticleEntity(const std::string& name, float size, glm::vec2 position, bool mirror)
{
    return Build(Named(name), size, nullptr, position, mirror);
}

void MakeDoubleJumpParticle(float size, glm::vec2 position, bool mirror)
{
    Spawn(Build(kDoubleJump, size, nullptr, position, mirror), true);
}

void MakePunchParticle(float size, glm::vec2 position)
{
    Spawn(Build(kPunch, size, nullptr, position, false), true);
}

void MakeLandingParticle(float size, glm::vec2 position, bool mirror)
{
    Spawn(Build(kLanding, size, nullptr, position, mirror), true);
}

void MakeSquishParticle(float size, glm::vec2 position)
{
    Spawn(Build(kSquish, size, nullptr, position, false), true);
}

void MakeJumpParticle(float size, glm::vec2 position)
{
    auto entity = std::make_shared<fb::Entity>("Jump Particle");
    entity->AddComponent<ParticleSystem>(std::make_shared<ParticleSystem>(
        Texture("assets/img/SlimeParticle.png"), 15, size, 0.002f, 0.0f, -1.57f, 6.28f, 20.0f * size, 10.0f * size,
        0.5f, 0.0f, 4.0f, false, true));
    entity->AddComponent<ParticleEmitter>(std::make_shared<FootstepEmitter>(4.0f * size, position.y, size));
    entity->AddComponent<fb::cmp::Transform>(
        std::make_shared<fb::cmp::Transform>(position, glm::vec2(1.0f, 1.0f), 0.0f));
    Spawn(std::move(entity), true);
}

void MakeStreak(const std::string& name, float size, glm::vec2 start, bool mirror, glm::vec2 end, float duration,
                bool useUnscaledTime)
{
    std::shared_ptr<fb::Entity> entity = MakeParticleEntity(name, size, start, mirror);
    if (!entity)
        return;
    auto streak = std::make_shared<StreakEmitter>(glm::vec2(0.0f, 0.0f), end, size, 0.0f, 0.0f, duration);
    std::shared_ptr<ParticleSystem> system = entity->GetComponent<ParticleSystem>();
    system->ExtendToLifetime(duration, kStreakBatch);
    system->SetUseUnscaledTime(useUnscaledTime);
    entity->AddComponent<ParticleEmitter>(streak);
    entity->AddComponent<KillClock>(std::make_shared<KillClock>(duration * 2.0f, useUnscaledTime));
    EntityManager::Add(std::move(entity));
}
