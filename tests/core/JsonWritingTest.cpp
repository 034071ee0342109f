#include "core/JsonFile.h"
#include "core/JsonWriting.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string Text(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

TEST(JsonWritingTest, AFileIsWrittenWholeOrLeftAsItWas)
{
    const fs::path folder = fs::temp_directory_path() / ("vendrabolt-writing-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string path = (folder / "set.json").string();
    std::ofstream(path) << "{\"old\": true}";
    chmod(path.c_str(), 0600);

    rapidjson::Document document;
    std::string error;
    ASSERT_TRUE(fb::ParseJson(R"({"a": {"b": [1, {"c": 0.5}]}, "d": "x"})", "test", document, error)) << error;
    ASSERT_TRUE(fb::SaveJsonFile(path, document, fb::JsonLayout::Compact, error)) << error;
    EXPECT_EQ(Text(path), R"({"a":{"b":[1,{"c":0.5}]},"d":"x"})");
    struct stat saved {};
    ASSERT_EQ(stat(path.c_str(), &saved), 0);
    EXPECT_EQ(saved.st_mode & 0777, 0600u) << "a replaced file keeps who may read it";

    // A number JSON cannot hold is named, and nothing is written.
    for (double bad : {std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity()}) {
        document["a"]["b"][1]["c"].SetDouble(bad);
        EXPECT_FALSE(fb::SaveJsonFile(path, document, fb::JsonLayout::Indented, error));
        EXPECT_NE(error.find(path + ": a.b[1].c is "), std::string::npos) << error;
        EXPECT_EQ(Text(path), R"({"a":{"b":[1,{"c":0.5}]},"d":"x"})");
    }

    // A target that cannot be replaced, and a folder that is not there.
    document["a"]["b"][1]["c"].SetDouble(2.0);
    fs::create_directory(folder / "taken.json");
    std::ofstream(folder / "taken.json" / "inside") << "kept";
    EXPECT_FALSE(fb::SaveJsonFile((folder / "taken.json").string(), document, fb::JsonLayout::Compact, error));
    EXPECT_NE(error.find("taken.json"), std::string::npos) << error;
    EXPECT_EQ(Text(folder / "taken.json" / "inside"), "kept");
    EXPECT_FALSE(fb::SaveJsonFile((folder / "none" / "a.json").string(), document, fb::JsonLayout::Compact, error));

    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder))
        left.push_back(entry.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"set.json", "taken.json"})) << "no scratch file stays behind";
    fs::remove_all(folder);
}

} // namespace
