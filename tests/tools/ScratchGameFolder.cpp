#include "ScratchGameFolder.h"

#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

ScratchGameFolder::ScratchGameFolder()
    : mHome(fs::current_path())
{
    static int made = 0;
    mPath = fs::temp_directory_path() /
            ("vendrabolt-tools-" + std::to_string(getpid()) + "-" + std::to_string(++made));
    fs::remove_all(mPath);
    fs::create_directories(mPath / "assets");
    for (const fs::directory_entry& entry : fs::directory_iterator(mHome / "assets")) {
        const fs::path target = mPath / "assets" / entry.path().filename();
        if (entry.path().filename() == "json")
            fs::copy(entry.path(), target, fs::copy_options::recursive);
        else
            fs::create_symlink(entry.path(), target);
    }
    fs::current_path(mPath);
}

ScratchGameFolder::~ScratchGameFolder()
{
    fs::current_path(mHome);
    std::error_code ignored;
    fs::remove_all(mPath, ignored);
}
