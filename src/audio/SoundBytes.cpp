#include "audio/SoundDecoders.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace fb {

std::size_t SoundBytes::Read(void* into, std::size_t count)
{
    const std::size_t got = std::min(count, bytes.size() - at);
    std::memcpy(into, bytes.data() + at, got);
    at += got;
    return got;
}

long long SoundBytes::Seek(long long offset, int whence)
{
    const long long base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<long long>(at)
                                                                       : static_cast<long long>(bytes.size());
    if (offset < -base || offset > static_cast<long long>(bytes.size()) - base)
        return -1;
    at = static_cast<std::size_t>(base + offset);
    return static_cast<long long>(at);
}

} // namespace fb
