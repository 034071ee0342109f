#pragma once

#include <string>
#include <sys/types.h>

// The file a save writes before it takes the place of the file it saves. It
// lies in the same folder under a short name of its own,
// ".<hash of the file's name>.vbsave-XXXXXX", so that a file of any name the
// file system takes can be saved, and it is locked while a save uses it, so
// that a later save of the same file can tell what a killed save left behind.
namespace fb {

class ScratchFile {
public:
    // A new scratch file for target, opened for writing. The umask applies to
    // mode. Not open (see errno) when it could not be made.
    ScratchFile(const std::string& target, mode_t mode);
    // Removes the file unless it took the target's place, then closes it.
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    bool IsOpen() const { return mDescriptor >= 0; }
    int Descriptor() const { return mDescriptor; }
    // Renames the scratch file over the target in one step; false, with
    // errno, when it could not.
    bool ReplaceTarget();

private:
    std::string mTarget;
    std::string mName;
    int mDescriptor = -1;
    bool mReplaced = false;
};

// Removes what earlier, killed saves of target left beside it: only names of
// target's own scratch pattern, and only files that no save holds.
void RemoveLeftoverScratchFiles(const std::string& target);

} // namespace fb
