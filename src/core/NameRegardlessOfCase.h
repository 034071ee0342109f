#pragma once

#include <filesystem>
#include <string>

// The name under which the folder holds the file of that name when case is
// not told apart (in ASCII letters), as on a file system that does not tell
// it apart: the name itself when the folder has it so, or has no such file;
// of several that differ from it only in case, the first in byte order.
std::string NameRegardlessOfCase(const std::filesystem::path& folder, const std::string& name);
// Whether two names are the same but for the case of ASCII letters.
bool SameRegardlessOfCase(const std::string& a, const std::string& b);
