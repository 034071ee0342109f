#pragma once

#include <string_view>

// A name that can only mean a file directly inside the folder it is joined
// to: not empty, no folder separator, no "..", no control character.
bool IsPlainFileName(std::string_view name);
