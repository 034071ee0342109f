#include "core/JsonMembers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(JsonMembersTest, ReadsMembersAndNamesEveryMissingOrMistypedOne)
{
    rapidjson::Document document;
    document.Parse(R"({"speed": 2.5, "loop": true, "name": "a\u0000b", "wrong": "7", "count": 3})");
    std::vector<std::string> complaints;
    const fb::JsonMemberComplaint complain = [&complaints](const char* key, const char* expected, const char* read) {
        complaints.push_back(std::string(key) + "|" + expected + "|" + read);
    };

    EXPECT_EQ(fb::ReadJsonNumber(document, "speed", complain), 2.5);
    EXPECT_EQ(fb::ReadJsonNumber(document, "count", complain), 3.0);
    EXPECT_TRUE(fb::ReadJsonBool(document, "loop", complain));
    EXPECT_EQ(fb::ReadJsonString(document, "name", complain), std::string("a\0b", 3));
    EXPECT_TRUE(complaints.empty());

    EXPECT_EQ(fb::ReadJsonNumber(document, "wrong", complain), 0.0);
    EXPECT_FALSE(fb::ReadJsonBool(document, "count", complain));
    EXPECT_EQ(fb::ReadJsonString(document, "absent", complain), "");
    const rapidjson::Value array(rapidjson::kArrayType);
    EXPECT_EQ(fb::FindJsonMember(array, "speed"), nullptr);
    EXPECT_EQ(fb::ReadJsonNumber(array, "speed", complain), 0.0);
    EXPECT_EQ(complaints, (std::vector<std::string>{"wrong|a number|0", "count|true or false|false",
                                                    "absent|a string|\"\"", "speed|a number|0"}));
}

} // namespace
