#include "render/SpriteJson.h"

#include "core/JsonMembers.h"
#include "core/Trace.h"

#include <cmath>

namespace {

void Report(const char* component, const char* key, const char* wanted, const std::string& fallback)
{
    Trace(std::string("\"") + component + "\" component: \"" + key + "\" is missing or not " + wanted + "; using " +
              fallback,
          3);
}

} // namespace

namespace SpriteJson {

std::string FileName(const rapidjson::Value& object, const char* component)
{
    const rapidjson::Value* value = fb::FindJsonMember(object, "filename");
    if (value && value->IsString())
        return std::string(value->GetString(), value->GetStringLength());
    Report(component, "filename", "a string", "no image");
    return "";
}

float Opacity(const rapidjson::Value& object, const char* component)
{
    const rapidjson::Value* value = fb::FindJsonMember(object, "opacity");
    if (value && value->IsNumber() && std::isfinite(static_cast<float>(value->GetDouble())))
        return static_cast<float>(value->GetDouble());
    Report(component, "opacity", "a number a float can hold", "1");
    return 1.0f;
}

unsigned SheetSize(const rapidjson::Value& object, const char* key, const char* component)
{
    const rapidjson::Value* value = fb::FindJsonMember(object, key);
    if (value && value->IsUint() && value->GetUint() >= 1)
        return value->GetUint();
    Report(component, key, "a whole number of at least 1", "1");
    return 1;
}

} // namespace SpriteJson
