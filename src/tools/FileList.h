#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The regular files directly inside `folder` whose extension is exactly
// `extension` (".png", case-sensitive), as "folder/name" paths sorted by
// name. A folder that is missing or cannot be read gives an empty list.
std::vector<std::filesystem::path> ListFiles(const std::string& folder, const std::string& extension);
