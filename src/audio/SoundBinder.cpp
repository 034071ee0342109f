#include "audio/SoundBinder.h"

namespace fb {

SoundBinder::SoundBinder() = default;

SoundBinder::~SoundBinder() = default;

bool SoundBinder::LoadFile(std::string)
{
    return false;
}

} // namespace fb
