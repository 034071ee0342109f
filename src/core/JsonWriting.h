#pragma once

#include <rapidjson/document.h>

#include <string>

// The one way the game's tools write JSON. A number JSON cannot hold (NaN or
// an infinity) is refused before anything is written, naming where it is:
// "events[1].volume is nan, which JSON cannot hold".
namespace fb {

// Compact: no spaces at all. Indented: four spaces a level, one member a line.
enum class JsonLayout { Compact, Indented };

// The value as JSON text. False, with nothing in text and the reason in
// error, when the value holds a number that is not finite.
bool WriteJson(const rapidjson::Value& value, JsonLayout layout, std::string& text, std::string& error);

// The double a float goes into a document as: the one that the float's
// shortest decimal reads as, so that 0.7f is written 0.7, not
// 0.699999988079071, and reads back as the same float.
double ShortestFloat(float value);

// Sets the value to the float in that form, unless it is a number that reads
// as that float already: a number nobody changed keeps the text it had.
void SetJsonFloat(rapidjson::Value& value, float number);

// WriteJson, then SaveTextFile: the file is written whole or not at all.
// False, with the reason naming the path in error, when nothing was written.
bool SaveJsonFile(const std::string& path, const rapidjson::Value& value, JsonLayout layout, std::string& error);

} // namespace fb
