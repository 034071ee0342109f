#include "tools/SaveTextFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

bool SaveTextFile(const std::string& path, std::string_view text, std::string& error)
{
    const std::string scratch = path + ".saving";
    {
        std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
        if (!out) {
            error = "cannot write " + path + ": " + std::strerror(errno);
            return false;
        }
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
        out.close();
        if (!out) {
            error = "cannot write " + path + ": the write did not complete";
            std::error_code ignored;
            std::filesystem::remove(scratch, ignored);
            return false;
        }
    }
    std::error_code renameError;
    std::filesystem::rename(scratch, path, renameError);
    if (renameError) {
        error = "cannot replace " + path + ": " + renameError.message();
        std::error_code ignored;
        std::filesystem::remove(scratch, ignored);
        return false;
    }
    return true;
}
