#pragma once

#include <string>
#include <string_view>

// Writes the whole text to path, or nothing at all. The text goes to a new
// scratch file in the same folder, every write is checked and the file is
// flushed to the disk before it takes the old file's place in one rename, so
// a failed or interrupted save leaves the old file as it was. False, with
// what went wrong (naming the path) in `error`, when nothing was saved.
bool SaveTextFile(const std::string& path, std::string_view text, std::string& error);
