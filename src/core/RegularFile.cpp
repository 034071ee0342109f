#include "core/RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fb {
namespace {

// Closes the descriptor however the read ends.
class OpenFile {
public:
    explicit OpenFile(const std::string& path) : mDescriptor(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {}
    ~OpenFile()
    {
        if (mDescriptor >= 0)
            close(mDescriptor);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;

    int Descriptor() const { return mDescriptor; }

private:
    int mDescriptor;
};

} // namespace

RegularFileStatus ReadRegularFile(const std::string& path, std::uintmax_t maxBytes, std::string& contents)
{
    contents.clear();
    const OpenFile file(path);
    if (file.Descriptor() < 0)
        return RegularFileStatus::Missing;
    struct stat status {};
    if (fstat(file.Descriptor(), &status) != 0)
        return RegularFileStatus::Unreadable;
    if (!S_ISREG(status.st_mode))
        return RegularFileStatus::NotRegular;
    if (static_cast<std::uintmax_t>(status.st_size) > maxBytes)
        return RegularFileStatus::TooLarge;

    contents.resize(static_cast<std::size_t>(status.st_size));
    std::size_t done = 0;
    while (done < contents.size()) {
        const ssize_t got = read(file.Descriptor(), contents.data() + done, contents.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            contents.clear();
            return RegularFileStatus::Unreadable;
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    // A file that shrank while it was read is taken as it ended.
    contents.resize(done);
    return RegularFileStatus::Read;
}

std::string DescribeFileFailure(RegularFileStatus status, std::uintmax_t maxBytes)
{
    switch (status) {
    case RegularFileStatus::Read: return "was read";
    case RegularFileStatus::Missing: return "could not be opened";
    case RegularFileStatus::NotRegular: return "is not a regular file";
    case RegularFileStatus::TooLarge: return "is larger than " + std::to_string(maxBytes >> 20) + " MiB";
    case RegularFileStatus::Unreadable: return "could not be read";
    }
    return "could not be read";
}

} // namespace fb
