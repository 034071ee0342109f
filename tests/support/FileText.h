#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

// Every byte of the file; empty when it cannot be read.
inline std::string FileText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}
