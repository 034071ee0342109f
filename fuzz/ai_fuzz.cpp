// The AI spawner file, with a spawner of each kind enabled from it.
#include "FuzzInput.h"
#include "game/AISpawner.h"
#include "game/AISpawnerGlobals.h"

#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = WriteInput(data, size);
    try {
        AISpawner::LoadFile(path);
    } catch (const std::runtime_error&) {
    }
    for (const char* kind : {"normal", "giant", "golden"})
        AISpawner::EnableType({1.0f, 2.0f}, kind);
    gAITypes.clear();
    gSpawners.clear();
    return 0;
}
