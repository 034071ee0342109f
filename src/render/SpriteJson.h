#pragma once

#include <rapidjson/document.h>
#include <string>

// The keys of the "Sprite" and "SpriteAnimated" archetype objects. A missing
// or mistyped key is traced, naming the component, and read as its default.
namespace SpriteJson {

// "filename"; "" (the missing-texture checker) by default.
std::string FileName(const rapidjson::Value& object, const char* component);
// "opacity"; 1 by default.
float Opacity(const rapidjson::Value& object, const char* component);
// A sheet size ("xsize", "ysize"): a whole number of at least 1; 1 by default.
unsigned SheetSize(const rapidjson::Value& object, const char* key, const char* component);

} // namespace SpriteJson
