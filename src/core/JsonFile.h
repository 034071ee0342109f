#pragma once

#include <rapidjson/document.h>

#include <string>
#include <string_view>

// The one way every data file is read. Parsing is iterative and refuses
// nesting deeper than kMaxJsonDepth, a NUL byte anywhere, invalid UTF-8 and
// anything after the root value. A failure leaves the caller's document as
// it was and says why, with the file and the byte:
// "assets/levels/a.json: unexpected end at byte 4123".
namespace fb {

inline constexpr unsigned kMaxJsonDepth = 64;

enum class JsonFileStatus { Read, Missing, Invalid };

// Reads the whole file. A file that cannot be opened is Missing with the
// error "Could not load file: <path>".
JsonFileStatus ReadJsonFile(const std::string& path, rapidjson::Document& document, std::string& error);

// Parses text that came from source (a path or a name used in the error).
bool ParseJson(std::string_view text, const std::string& source, rapidjson::Document& document, std::string& error);

} // namespace fb
