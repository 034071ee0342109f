// A particle file, made into an effect, run for a few frames and stretched
// into a streak; then read by the particle editor, which must hold only
// values it can write back.
#include "FuzzInput.h"
#include "core/Entity.h"
#include "core/EntityManager.h"
#include "core/JsonFile.h"
#include "core/JsonWriting.h"
#include "render/ParticleEffects.h"
#include "render/ParticleSystem.h"
#include "render/Renderer.h"
#include "tools/ParticleSettings.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    OpenGLOnce();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = WriteInput(data, size);
    // The makers add ".json" to a name read from assets/json/particles/.
    std::string name = InputFrom(3);
    name.erase(name.size() - 5);
    const bool mirror = size > 0 && (data[0] & 1);
    if (std::shared_ptr<fb::Entity> effect = MakeParticleEntity(name, 1.5f, {1.0f, 2.0f}, mirror)) {
        std::shared_ptr<ParticleSystem> system = effect->GetComponent<ParticleSystem>();
        for (int frame = 0; frame < 5; ++frame)
            system->UpdateParticles(1.0f / 60.0f);
        system->GetTotalLifetime();
    }
    MakeStreak(name, 2.0f, {0.0f, 0.0f}, mirror, {5.0f, 1.0f}, 0.5f, false);
    EntityManager::Clear();
    Renderer::BeginFrame();

    rapidjson::Document document;
    std::string error;
    if (fb::ReadJsonFile(path, document, error) == fb::JsonFileStatus::Read) {
        ParticleSettings settings;
        ReadParticleSettings(document, settings);
        std::string text;
        if (!fb::WriteJson(ParticleSettingsDocument(settings), fb::JsonLayout::Indented, text, error)) {
            std::fprintf(stderr, "the editor read a value it cannot write: %s\n", error.c_str());
            std::abort();
        }
    }
    return 0;
}
