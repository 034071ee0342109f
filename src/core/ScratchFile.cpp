#include "core/ScratchFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <string_view>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fb {
namespace {

constexpr std::string_view kMark = ".vbsave-";
constexpr std::size_t kRandomLength = 6;
constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr int kAttempts = 100;

std::string FolderOf(const std::string& target)
{
    const std::string folder = std::filesystem::path(target).parent_path().string();
    return folder.empty() ? "." : folder;
}

// ".<hash>.vbsave-": the hash (64-bit FNV-1a, as 16 hex digits) stands for
// the file's name, which may itself be as long as a name can be.
std::string PrefixFor(const std::string& target)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : std::filesystem::path(target).filename().string())
        hash = (hash ^ c) * 1099511628211ull;
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return "." + std::string(digits) + std::string(kMark);
}

bool IsScratchName(std::string_view name, std::string_view prefix)
{
    if (name.size() != prefix.size() + kRandomLength || name.substr(0, prefix.size()) != prefix)
        return false;
    return name.substr(prefix.size()).find_first_not_of(kAlphabet) == std::string_view::npos;
}

std::string RandomLetters()
{
    thread_local std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
    std::string letters(kRandomLength, ' ');
    for (char& letter : letters)
        letter = kAlphabet[pick(generator)];
    return letters;
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

} // namespace

ScratchFile::ScratchFile(const std::string& target, mode_t mode)
    : mTarget(target)
{
    const std::string stem = FolderOf(target) + "/" + PrefixFor(target);
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        mName = stem + RandomLetters();
        mDescriptor = open(mName.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (mDescriptor < 0) {
            if (errno == EEXIST)
                continue;
            return;
        }
        // Where the file system has no locks, no cleanup removes anything
        // either. Where it has them, the file is ours only if no cleanup took
        // its name before our lock was on it.
        if (flock(mDescriptor, LOCK_EX) != 0)
            return;
        struct stat opened {};
        struct stat named {};
        if (fstat(mDescriptor, &opened) == 0 && lstat(mName.c_str(), &named) == 0 && SameFile(opened, named))
            return;
        close(mDescriptor);
        mDescriptor = -1;
    }
    errno = EEXIST;
}

ScratchFile::~ScratchFile()
{
    if (mDescriptor < 0)
        return;
    if (!mReplaced)
        unlink(mName.c_str());
    close(mDescriptor);
}

bool ScratchFile::ReplaceTarget()
{
    mReplaced = std::rename(mName.c_str(), mTarget.c_str()) == 0;
    return mReplaced;
}

void RemoveLeftoverScratchFiles(const std::string& target)
{
    DIR* folder = opendir(FolderOf(target).c_str());
    if (!folder)
        return;
    const std::string prefix = PrefixFor(target);
    const int folderDescriptor = dirfd(folder);
    while (const dirent* entry = readdir(folder)) {
        if (!IsScratchName(entry->d_name, prefix))
            continue;
        const int descriptor = openat(folderDescriptor, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (descriptor < 0)
            continue;
        // Locked means a save is writing it; renamed away means it was saved.
        struct stat opened {};
        struct stat named {};
        if (fstat(descriptor, &opened) == 0 && S_ISREG(opened.st_mode) && flock(descriptor, LOCK_EX | LOCK_NB) == 0 &&
            fstatat(folderDescriptor, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(opened, named))
            unlinkat(folderDescriptor, entry->d_name, 0);
        close(descriptor);
    }
    closedir(folder);
}

} // namespace fb
