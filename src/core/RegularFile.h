#pragma once

#include <cstdint>
#include <string>

// Reading a whole file that must be an ordinary file on disk. The file is
// opened without blocking and looked at through the opened descriptor, so
// that a device, a FIFO or a folder behind the name (even one swapped in
// after a check) is refused at once and never read from.
namespace fb {

enum class RegularFileStatus { Read, Missing, NotRegular, TooLarge, Unreadable };

// Fills contents with the file's bytes, or leaves it empty and says why.
RegularFileStatus ReadRegularFile(const std::string& path, std::uintmax_t maxBytes, std::string& contents);

// The failure in words, for a message that names the file first:
// "is not a regular file", "is larger than 64 MiB", ...
std::string DescribeFileFailure(RegularFileStatus status, std::uintmax_t maxBytes);

} // namespace fb
