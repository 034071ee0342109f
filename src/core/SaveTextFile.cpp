#include "core/SaveTextFile.h"

#include "core/ScratchFile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

// As many links in a row as the kernel itself follows.
constexpr int kMaxLinks = 40;

std::string Failure(const std::string& what, const std::string& path, int error)
{
    return "cannot " + what + " " + path + ": " + std::generic_category().message(error) +
           "; the file is left as it was";
}

// The file that a save of path replaces: every symbolic link at the end of
// path followed, to a name that does not exist when the last one dangles.
bool FollowLinks(const std::string& path, std::string& target, std::string& error)
{
    std::filesystem::path current = path;
    for (int link = 0; link <= kMaxLinks; ++link) {
        struct stat status {};
        if (lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            target = current.string();
            return true;
        }
        std::error_code failed;
        const std::filesystem::path next = std::filesystem::read_symlink(current, failed);
        if (failed) {
            error = Failure("follow the link", path, failed.value());
            return false;
        }
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    error = Failure("follow the link", path, ELOOP);
    return false;
}

const char* KindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    if (S_ISSOCK(mode))
        return "a socket";
    return "something else";
}

bool WriteAll(int descriptor, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = write(descriptor, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return false;
        if (written == 0) {
            errno = EIO;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The new file takes the old one's owner and group where this process may
// give them, and its mode; a set-id bit goes only with the id it sets.
bool KeepOwnerAndMode(int descriptor, const struct stat& old)
{
    mode_t mode = old.st_mode & 07777;
    if (fchown(descriptor, old.st_uid, old.st_gid) != 0) {
        mode &= ~S_ISUID;
        if (fchown(descriptor, static_cast<uid_t>(-1), old.st_gid) != 0)
            mode &= ~S_ISGID;
    }
    return fchmod(descriptor, mode) == 0;
}

// The rename itself is made lasting by flushing the folder that holds it.
void SyncFolder(const std::string& path)
{
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty())
        folder = ".";
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor >= 0) {
        fsync(descriptor);
        close(descriptor);
    }
}

} // namespace

bool SaveTextFile(const std::string& path, std::string_view text, std::string& error)
{
    std::string target;
    if (!FollowLinks(path, target, error))
        return false;
    struct stat old {};
    const bool replacing = lstat(target.c_str(), &old) == 0;
    if (!replacing && errno != ENOENT) {
        error = Failure("write", path, errno);
        return false;
    }
    if (replacing && !S_ISREG(old.st_mode)) {
        error = "cannot write " + path + (target == path ? "" : ", a link to " + target) + ": it is " +
                KindOf(old.st_mode) + ", not a regular file; nothing is saved";
        return false;
    }
    // The rename needs only the folder; a file made read-only stays so.
    if (replacing && faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
        error = Failure("write", path, errno);
        return false;
    }

    fb::RemoveLeftoverScratchFiles(target);
    // Until it has the old file's mode, the new text is for this user alone.
    fb::ScratchFile scratch(target, replacing ? 0600 : 0666);
    if (!scratch.IsOpen()) {
        error = Failure("write", path, errno);
        return false;
    }
    const int descriptor = scratch.Descriptor();
    if (!WriteAll(descriptor, text) || (replacing && !KeepOwnerAndMode(descriptor, old)) || fsync(descriptor) != 0) {
        error = Failure("write", path, errno);
        return false;
    }
    if (!scratch.ReplaceTarget()) {
        error = Failure("replace", path, errno);
        return false;
    }
    SyncFolder(target);
    return true;
}
