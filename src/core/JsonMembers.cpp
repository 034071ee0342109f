#include "core/JsonMembers.h"

namespace fb {

const rapidjson::Value* FindJsonMember(const rapidjson::Value& object, const char* key)
{
    if (!object.IsObject())
        return nullptr;
    auto member = object.FindMember(key);
    return member == object.MemberEnd() ? nullptr : &member->value;
}

double ReadJsonNumber(const rapidjson::Value& object, const char* key, const JsonMemberComplaint& complain)
{
    const rapidjson::Value* value = FindJsonMember(object, key);
    if (!value || !value->IsNumber()) {
        complain(key, "a number", "0");
        return 0.0;
    }
    return value->GetDouble();
}

bool ReadJsonBool(const rapidjson::Value& object, const char* key, const JsonMemberComplaint& complain)
{
    const rapidjson::Value* value = FindJsonMember(object, key);
    if (!value || !value->IsBool()) {
        complain(key, "true or false", "false");
        return false;
    }
    return value->GetBool();
}

std::string ReadJsonString(const rapidjson::Value& object, const char* key, const JsonMemberComplaint& complain)
{
    const rapidjson::Value* value = FindJsonMember(object, key);
    if (!value || !value->IsString()) {
        complain(key, "a string", "\"\"");
        return {};
    }
    return std::string(value->GetString(), value->GetStringLength());
}

} // namespace fb
