#include "core/NameRegardlessOfCase.h"

#include <algorithm>
#include <system_error>

namespace {

char FoldedCase(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

bool SameRegardlessOfCase(const std::string& a, const std::string& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return FoldedCase(x) == FoldedCase(y); });
}

std::string NameRegardlessOfCase(const std::filesystem::path& folder, const std::string& name)
{
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(folder / name, error)))
        return name;
    std::string found;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string held = entry->path().filename().string();
        if (SameRegardlessOfCase(held, name) && (found.empty() || held < found))
            found = held;
    }
    return found.empty() ? name : found;
}
