#include "core/KeptFiles.h"

#include <filesystem>
#include <map>

namespace {

std::map<std::string, KeptFiles::KeptFile>& Kept()
{
    static std::map<std::string, KeptFiles::KeptFile> kept;
    return kept;
}

std::string Key(const std::string& path)
{
    return std::filesystem::path(path).lexically_normal().generic_string();
}

} // namespace

namespace KeptFiles {

const KeptFile* Find(const std::string& path)
{
    auto found = Kept().find(Key(path));
    return found == Kept().end() ? nullptr : &found->second;
}

void Keep(const std::string& path, KeptFile file)
{
    Kept()[Key(path)] = std::move(file);
}

void Forget(const std::string& path)
{
    Kept().erase(Key(path));
}

void ForgetAll()
{
    Kept().clear();
}

} // namespace KeptFiles
