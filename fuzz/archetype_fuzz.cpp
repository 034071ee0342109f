// An archetype file, built into an entity that is updated a few times.
#include "FuzzInput.h"
#include "core/EntityManager.h"
#include "core/JsonFile.h"
#include "core/Time.h"
#include "render/Renderer.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    OpenGLOnce();
    Time::SetDt(1.0f / 60.0f);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    WriteInput(data, size);
    // Archetypes are read from assets/json/.
    if (!EntityManager::LoadJson(InputFrom(2)))
        return 0;
    rapidjson::Document document;
    std::string error;
    fb::ParseJson({reinterpret_cast<const char*>(data), size}, "input", document, error);
    if (std::shared_ptr<fb::Entity> entity = EntityManager::LoadArchetype(document["name"].GetString())) {
        for (int frame = 0; frame < 3; ++frame)
            entity->Update();
    }
    Renderer::BeginFrame();
    return 0;
}
