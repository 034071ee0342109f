#pragma once

#include <string>
#include <string_view>

// Writes the whole text to path. The text goes to a scratch file beside it
// first, which then takes the file's place, so a failed write leaves the old
// file as it was. False, with what went wrong in `error`, when nothing was
// saved.
bool SaveTextFile(const std::string& path, std::string_view text, std::string& error);
