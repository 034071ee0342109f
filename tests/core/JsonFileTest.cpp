#include "core/JsonFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

std::string ParseError(std::string_view text)
{
    rapidjson::Document document;
    std::string error;
    EXPECT_FALSE(fb::ParseJson(text, "data.json", document, error)) << text;
    return error;
}

TEST(JsonFileTest, RefusesBadTextWithTheSourceAndTheByte)
{
    EXPECT_EQ(ParseError("{\"a\": [1, 2"), "data.json: unexpected end at byte 11");
    EXPECT_EQ(ParseError(std::string_view("{\"a\": 1}\0{\"b\": 2}", 17)), "data.json: NUL byte at byte 8");
    EXPECT_EQ(ParseError("{\"a\": \"\xC3\x28\"}"), "data.json: invalid UTF-8 at byte 7");
    EXPECT_EQ(ParseError("{} []"), "data.json: text after the root value at byte 3");
    EXPECT_EQ(ParseError("{\"a\": 1e400}"), "data.json: number too big at byte 6");

    // Far deeper than any call stack would survive if parsing recursed.
    const std::string deep = std::string(1'000'000, '[') + std::string(1'000'000, ']');
    EXPECT_EQ(ParseError(deep), "data.json: arrays and objects nested deeper than 64 levels at byte 64");
    const std::string deepest = std::string(fb::kMaxJsonDepth, '[') + std::string(fb::kMaxJsonDepth, ']');
    rapidjson::Document document;
    std::string error;
    EXPECT_TRUE(fb::ParseJson(deepest, "data.json", document, error)) << error;
}

TEST(JsonFileTest, ReadsWholeFilesAndKeepsTheDocumentOnFailure)
{
    const auto folder = std::filesystem::temp_directory_path() / ("vendrabolt-json-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder);
    const std::string good = (folder / "good.json").string();
    const std::string broken = (folder / "broken.json").string();
    std::ofstream(good) << "\xEF\xBB\xBF{\"name\": \"slime\", \"sizes\": [1, 2.5]}";
    std::ofstream(broken) << "{\"name\": ";

    rapidjson::Document document;
    std::string error;
    ASSERT_EQ(fb::ReadJsonFile(good, document, error), fb::JsonFileStatus::Read) << error;
    EXPECT_STREQ(document["name"].GetString(), "slime");
    EXPECT_DOUBLE_EQ(document["sizes"][1].GetDouble(), 2.5);

    EXPECT_EQ(fb::ReadJsonFile(broken, document, error), fb::JsonFileStatus::Invalid);
    EXPECT_EQ(error, broken + ": unexpected end at byte 9");
    EXPECT_STREQ(document["name"].GetString(), "slime");

    for (const std::string& path : {(folder / "absent.json").string(), folder.string()}) {
        EXPECT_EQ(fb::ReadJsonFile(path, document, error), fb::JsonFileStatus::Missing);
        EXPECT_EQ(error, "Could not load file: " + path);
    }
    std::filesystem::remove_all(folder);
}

} // namespace
