#include "level/LevelJson.h"

#include "core/JsonFile.h"

#include <cmath>
#include <stdexcept>

LevelJson::LevelJson(std::string path)
    : mPath(std::move(path))
{
    std::string error;
    const fb::JsonFileStatus status = fb::ReadJsonFile(mPath, mDocument, error);
    if (status == fb::JsonFileStatus::Missing)
        throw std::runtime_error(error);
    if (status == fb::JsonFileStatus::Invalid) {
        // The reader's message starts with the path; here it goes last.
        const std::string prefix = mPath + ": ";
        if (error.compare(0, prefix.size(), prefix) == 0)
            error.erase(0, prefix.size());
        Fail("Could not parse file (" + error + ")");
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
    const float number = Member(object, key, "a number", &rapidjson::Value::IsNumber, what).GetFloat();
    if (!std::isfinite(number))
        Fail(what + " has a \"" + key + "\" too large to hold");
    return number;
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

void LevelJson::RequireInsideFolder(const std::string& name, const std::string& what) const
{
    const bool absolute = !name.empty() && (name[0] == '/' || name[0] == '\\' || name.find(':') != std::string::npos);
    bool climbs = false;
    std::size_t start = 0;
    while (start <= name.size() && !climbs) {
        std::size_t end = name.find_first_of("/\\", start);
        if (end == std::string::npos)
            end = name.size();
        climbs = name.compare(start, end - start, "..") == 0;
        start = end + 1;
    }
    if (absolute || climbs)
        Fail(what + " \"" + name + "\" leads out of the images folder");
}
