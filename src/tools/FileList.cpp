#include "tools/FileList.h"

#include <algorithm>
#include <system_error>

std::vector<std::filesystem::path> ListFiles(const std::string& folder, const std::string& extension)
{
    std::vector<std::filesystem::path> files;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::error_code typeError;
        if (entries->is_regular_file(typeError) && entries->path().extension() == extension)
            files.push_back(entries->path());
    }
    // Directory order differs between file systems; sorted, the lists are
    // the same everywhere.
    std::sort(files.begin(), files.end());
    return files;
}
