// A map file, read with the tile set it names (from assets/levels/).
#include "FuzzInput.h"
#include "level/Level.h"

#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = WriteInput(data, size);
    Level level;
    try {
        ReadMapFile(path, level);
    } catch (const std::runtime_error&) {
    }
    return 0;
}
