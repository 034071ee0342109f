#pragma once

#include <rapidjson/document.h>
#include <string>

// Reading the level and tile-set files. Every failure is a
// std::runtime_error whose message ends with the file's path.
class LevelJson {
public:
    // Reads and parses the file: "Could not load file: " + path when it
    // cannot be opened, "Could not parse file (reason): " + path when the
    // text is not JSON.
    explicit LevelJson(std::string path);

    const rapidjson::Document& Root() const { return mDocument; }
    const std::string& Path() const { return mPath; }

    // Required keys of an object; `what` names the object in the message.
    int Int(const rapidjson::Value& object, const char* key, const std::string& what) const;
    // A number that stays finite as a float.
    float Number(const rapidjson::Value& object, const char* key, const std::string& what) const;
    std::string String(const rapidjson::Value& object, const char* key, const std::string& what) const;
    const rapidjson::Value& Array(const rapidjson::Value& object, const char* key, const std::string& what) const;
    const rapidjson::Value& Object(const rapidjson::Value& object, const char* key, const std::string& what) const;

    // An optional key: null when absent, the value when it has the wanted
    // type, and an error when it has another.
    const rapidjson::Value* OptionalArray(const rapidjson::Value& object, const char* key,
                                          const std::string& what) const;
    const rapidjson::Value* OptionalObject(const rapidjson::Value& object, const char* key,
                                           const std::string& what) const;

    // A file or folder name under the images folder must not lead out of it
    // (no ".." part, not absolute); `what` names it in the message.
    void RequireInsideFolder(const std::string& name, const std::string& what) const;

    // Throws message + ": " + path.
    [[noreturn]] void Fail(const std::string& message) const;

private:
    const rapidjson::Value& Member(const rapidjson::Value& object, const char* key, const char* type,
                                   bool (rapidjson::Value::*test)() const, const std::string& what) const;

    std::string mPath;
    rapidjson::Document mDocument;
};
