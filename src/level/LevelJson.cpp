#include "level/LevelJson.h"

#include <fstream>
#include <rapidjson/error/en.h>
#include <sstream>
#include <stdexcept>

LevelJson::LevelJson(std::string path)
    : mPath(std::move(path))
{
    std::ifstream file(mPath, std::ios::binary);
    if (!file)
        throw std::runtime_error("Could not load file: " + mPath);
    std::ostringstream contents;
    contents << file.rdbuf();
    mText = contents.str();
}

void LevelJson::Parse()
{
    mDocument.Parse(mText.c_str(), mText.size());
    if (mDocument.HasParseError()) {
        Fail(std::string("Could not parse file (") + rapidjson::GetParseError_En(mDocument.GetParseError()) +
             " at offset " + std::to_string(mDocument.GetErrorOffset()) + ")");
    }
}

void LevelJson::Fail(const std::string& message) const
{
    throw std::runtime_error(message + ": " + mPath);
}

const rapidjson::Value& LevelJson::Member(const rapidjson::Value& object, const char* key, const char* type,
                                          bool (rapidjson::Value::*test)() const, const std::string& what) const
{
    if (!object.IsObject())
        Fail(what + " is not an object");
    auto member = object.FindMember(key);
    if (member == object.MemberEnd())
        Fail(what + " has no \"" + key + "\"");
    if (!(member->value.*test)())
        Fail(what + " has a \"" + key + "\" that is not " + type);
    return member->value;
}

int LevelJson::Int(const rapidjson::Value& object, const char* key, const std::string& what) const
{
    return Member(object, key, "a whole number", &rapidjson::Value::IsInt, what).GetInt();
}

float LevelJson::Number(const rapidjson::Value& object, const char* key, const std::string& what) const
{
    return Member(object, key, "a number", &rapidjson::Value::IsNumber, what).GetFloat();
}

std::string LevelJson::String(const rapidjson::Value& object, const char* key, const std::string& what) const
{
    const rapidjson::Value& value = Member(object, key, "a string", &rapidjson::Value::IsString, what);
    return std::string(value.GetString(), value.GetStringLength());
}

const rapidjson::Value& LevelJson::Array(const rapidjson::Value& object, const char* key,
                                         const std::string& what) const
{
    return Member(object, key, "an array", &rapidjson::Value::IsArray, what);
}

const rapidjson::Value& LevelJson::Object(const rapidjson::Value& object, const char* key,
                                          const std::string& what) const
{
    return Member(object, key, "an object", &rapidjson::Value::IsObject, what);
}

const rapidjson::Value* LevelJson::OptionalArray(const rapidjson::Value& object, const char* key,
                                                 const std::string& what) const
{
    if (!object.IsObject() || !object.HasMember(key))
        return nullptr;
    return &Array(object, key, what);
}

const rapidjson::Value* LevelJson::OptionalObject(const rapidjson::Value& object, const char* key,
                                                  const std::string& what) const
{
    if (!object.IsObject() || !object.HasMember(key))
        return nullptr;
    return &Object(object, key, what);
}
