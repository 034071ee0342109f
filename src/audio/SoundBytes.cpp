#include "audio/SoundDecoders.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace fb {

long long SoundBytes::Read(void* into, long long count)
{
    if (count <= 0)
        return 0;
    const std::size_t got = std::min(static_cast<std::size_t>(count), bytes.size() - at);
    std::memcpy(into, bytes.data() + at, got);
    at += got;
    return static_cast<long long>(got);
}

long long SoundBytes::Seek(long long offset, int whence)
{
    if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END)
        return -1;
    const long long base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<long long>(at)
                                                                       : static_cast<long long>(bytes.size());
    if (offset < -base || offset > static_cast<long long>(bytes.size()) - base)
        return -1;
    at = static_cast<std::size_t>(base + offset);
    return static_cast<long long>(at);
}

} // namespace fb
