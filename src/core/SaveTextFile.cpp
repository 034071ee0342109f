#include "core/SaveTextFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

// The file descriptor of an open scratch file, closed and removed unless kept.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& target)
        : mName(target + ".XXXXXX")
    {
        std::vector<char> pattern(mName.begin(), mName.end());
        pattern.push_back('\0');
        mDescriptor = mkstemp(pattern.data());
        mName.assign(pattern.data());
    }
    ~ScratchFile()
    {
        if (mDescriptor >= 0)
            close(mDescriptor);
        if (!mKept)
            unlink(mName.c_str());
    }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    int Descriptor() const { return mDescriptor; }
    const std::string& Name() const { return mName; }
    // Closes the file; false when closing reports a failed write.
    bool Close()
    {
        const int descriptor = mDescriptor;
        mDescriptor = -1;
        return close(descriptor) == 0;
    }
    void Keep() { mKept = true; }

private:
    std::string mName;
    int mDescriptor = -1;
    bool mKept = false;
};

bool WriteAll(int descriptor, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = write(descriptor, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A file that is replaced keeps who may read it; a new one is readable by all.
mode_t ModeFor(const std::string& path)
{
    struct stat old {};
    if (stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        return old.st_mode & 07777;
    return 0644;
}

// The rename itself is made lasting by flushing the folder that holds it.
void SyncFolder(const std::string& path)
{
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty())
        folder = ".";
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor >= 0) {
        fsync(descriptor);
        close(descriptor);
    }
}

std::string Failure(const std::string& what, const std::string& path)
{
    return "cannot " + what + " " + path + ": " + std::strerror(errno) + "; the file is left as it was";
}

} // namespace

bool SaveTextFile(const std::string& path, std::string_view text, std::string& error)
{
    ScratchFile scratch(path);
    if (scratch.Descriptor() < 0) {
        error = Failure("write", path);
        return false;
    }
    if (!WriteAll(scratch.Descriptor(), text) || fchmod(scratch.Descriptor(), ModeFor(path)) != 0 ||
        fsync(scratch.Descriptor()) != 0 || !scratch.Close()) {
        error = Failure("write", path);
        return false;
    }
    if (std::rename(scratch.Name().c_str(), path.c_str()) != 0) {
        error = Failure("replace", path);
        return false;
    }
    scratch.Keep();
    SyncFolder(path);
    return true;
}
