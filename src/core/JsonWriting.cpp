#include "core/JsonWriting.h"

#include "core/NumberText.h"
#include "core/SaveTextFile.h"

#include <rapidjson/prettywriter.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>

#include <charconv>
#include <cmath>

namespace fb {
namespace {

// Where in the value the first number that is not finite sits, as
// "key[2].key"; empty when every number is finite. Documents the game reads
// are at most kMaxJsonDepth deep, and those it builds are shallow.
std::string FindNonFinite(const rapidjson::Value& value, const std::string& where, double& found)
{
    if (value.IsDouble() && !std::isfinite(value.GetDouble())) {
        found = value.GetDouble();
        return where.empty() ? "the value" : where;
    }
    if (value.IsObject()) {
        for (const auto& member : value.GetObject()) {
            const std::string key(member.name.GetString(), member.name.GetStringLength());
            std::string inside = FindNonFinite(member.value, where.empty() ? key : where + "." + key, found);
            if (!inside.empty())
                return inside;
        }
    }
    if (value.IsArray()) {
        for (rapidjson::SizeType i = 0; i < value.Size(); ++i) {
            std::string inside = FindNonFinite(value[i], where + "[" + std::to_string(i) + "]", found);
            if (!inside.empty())
                return inside;
        }
    }
    return {};
}

template <typename Writer>
bool Write(const rapidjson::Value& value, rapidjson::StringBuffer& buffer)
{
    Writer writer(buffer);
    return value.Accept(writer) && writer.IsComplete();
}

} // namespace

bool WriteJson(const rapidjson::Value& value, JsonLayout layout, std::string& text, std::string& error)
{
    text.clear();
    double found = 0.0;
    const std::string where = FindNonFinite(value, "", found);
    if (!where.empty()) {
        error = where + " is " + std::to_string(found) + ", which JSON cannot hold";
        return false;
    }
    rapidjson::StringBuffer buffer;
    const bool written = layout == JsonLayout::Compact
                             ? Write<rapidjson::Writer<rapidjson::StringBuffer>>(value, buffer)
                             : Write<rapidjson::PrettyWriter<rapidjson::StringBuffer>>(value, buffer);
    if (!written) {
        error = "the JSON writer could not write the value";
        return false;
    }
    text.assign(buffer.GetString(), buffer.GetSize());
    return true;
}

double ShortestFloat(float value)
{
    const std::string digits = NumberText(value);
    double shortest = 0.0;
    const std::from_chars_result read = std::from_chars(digits.data(), digits.data() + digits.size(), shortest);
    if (read.ec != std::errc() || static_cast<float>(shortest) != value)
        return value;
    return shortest;
}

void SetJsonFloat(rapidjson::Value& value, float number)
{
    if (!value.IsNumber() || static_cast<float>(value.GetDouble()) != number)
        value.SetDouble(ShortestFloat(number));
}

bool SaveJsonFile(const std::string& path, const rapidjson::Value& value, JsonLayout layout, std::string& error)
{
    std::string text;
    if (!WriteJson(value, layout, text, error)) {
        error = path + ": " + error + "; the file is left as it was";
        return false;
    }
    return SaveTextFile(path, text, error);
}

} // namespace fb
