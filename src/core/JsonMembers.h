#pragma once

#include <rapidjson/document.h>

#include <functional>
#include <string>

// Lenient reading of the members of a JSON object: a member that is missing
// or of the wrong type reads as 0, false or "", and the loader is told so
// that it can trace it in its own words.
namespace fb {

// The member, or null when object is not an object or has no such member.
const rapidjson::Value* FindJsonMember(const rapidjson::Value& object, const char* key);

// Called for a member that is missing or not what was expected:
// expected is "a number", "true or false" or "a string", read is what was
// read instead: "0", "false" or "\"\"".
using JsonMemberComplaint = std::function<void(const char* key, const char* expected, const char* read)>;

double ReadJsonNumber(const rapidjson::Value& object, const char* key, const JsonMemberComplaint& complain);
bool ReadJsonBool(const rapidjson::Value& object, const char* key, const JsonMemberComplaint& complain);
std::string ReadJsonString(const rapidjson::Value& object, const char* key, const JsonMemberComplaint& complain);

} // namespace fb
