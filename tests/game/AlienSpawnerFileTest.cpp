#include "core/Trace.h"
#include "game/AISpawner.h"
#include "game/AISpawnerGlobals.h"
#include "game/GoalZones.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

class AlienSpawnerFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        mOldSink = SetTraceSink([this](const std::string& message, int level) {
            if (level >= 3)
                traces.push_back(message);
        });
    }

    // As a match ends: the kinds and the spawners are forgotten.
    void TearDown() override
    {
        GoalZones::Shutdown();
        SetTraceSink(mOldSink);
    }

    // The message LoadFile throws, or "" when it loads.
    static std::string Failure(const std::string& path)
    {
        try {
            AISpawner::LoadFile(path);
        } catch (const std::runtime_error& error) {
            return error.what();
        }
        return "";
    }

    bool Traced(const std::string& text) const
    {
        for (const std::string& message : traces) {
            if (message.find(text) != std::string::npos)
                return true;
        }
        return false;
    }

    std::vector<std::string> traces;

private:
    TraceSink mOldSink;
};

TEST_F(AlienSpawnerFile, TheGamesFileHoldsTheThreeKindsWithTheirValues)
{
    AISpawner::LoadFile("./assets/json/aitest.json");
    ASSERT_EQ(gAITypes.size(), 3u);
    const AIType& normal = gAITypes[0];
    EXPECT_EQ(normal.type, "normal");
    EXPECT_TRUE(normal.canJump);
    EXPECT_FLOAT_EQ(normal.jumpRate, 0.15f);
    EXPECT_FLOAT_EQ(normal.weight, 1.0f);
    EXPECT_FLOAT_EQ(normal.moveSpeed, 10.0f);
    EXPECT_FLOAT_EQ(normal.spawnRate, 1.5f);
    EXPECT_EQ(normal.maxAlive, 5);
    EXPECT_EQ(gAITypes[1].type, "golden");
    EXPECT_FLOAT_EQ(gAITypes[1].weight, 5.0f);
    EXPECT_EQ(gAITypes[1].maxAlive, 2);
    EXPECT_EQ(gAITypes[2].type, "giant");
    EXPECT_FALSE(gAITypes[2].canJump);
    EXPECT_FLOAT_EQ(gAITypes[2].weight, 10.0f);
    EXPECT_EQ(gAITypes[2].maxAlive, 1);
    EXPECT_TRUE(traces.empty());
}

TEST_F(AlienSpawnerFile, LoadingAgainReplacesTheKindsInsteadOfDoublingThem)
{
    AISpawner::LoadFile("./assets/json/aitest.json");
    AISpawner::LoadFile("./assets/json/aitest.json");
    EXPECT_EQ(gAITypes.size(), 3u);
    AISpawner::EnableType({0.0f, 0.0f}, "normal");
    EXPECT_EQ(gSpawners.size(), 1u);
}

TEST_F(AlienSpawnerFile, AMissingFileAndAWrongTypeThrowWithThePath)
{
    EXPECT_EQ(Failure("tests/data/game/no_such_file.json"), "Could not load file: tests/data/game/no_such_file.json");
    EXPECT_EQ(Failure("tests/data/game/ai_lowercase_type.json"),
              "Incorrect AI Spawner file: tests/data/game/ai_lowercase_type.json");
    EXPECT_TRUE(gAITypes.empty());
}

TEST_F(AlienSpawnerFile, FilesWithoutTypeOrKindsLoadNothingQuietly)
{
    EXPECT_EQ(Failure("tests/data/game/ai_no_type.json"), "");
    EXPECT_TRUE(gAITypes.empty());
    EXPECT_TRUE(traces.empty());
}

TEST_F(AlienSpawnerFile, AFileThatDoesNotParseLoadsNothingAndSaysWhere)
{
    EXPECT_EQ(Failure("tests/data/game/ai_broken.json"), "");
    EXPECT_TRUE(gAITypes.empty());
    EXPECT_TRUE(Traced("does not parse"));
    EXPECT_TRUE(Traced("tests/data/game/ai_broken.json"));

    EXPECT_EQ(Failure("tests/data/game/ai_types_not_a_list.json"), "");
    EXPECT_TRUE(gAITypes.empty());
    EXPECT_TRUE(Traced("\"AI Types\" is not a list"));
}

TEST_F(AlienSpawnerFile, ValuesOfTheWrongTypeReadAsZeroAndEntriesWithoutATypeAreSkipped)
{
    AISpawner::LoadFile("tests/data/game/ai_odd_values.json");
    ASSERT_EQ(gAITypes.size(), 2u);
    const AIType& normal = gAITypes[0];
    EXPECT_EQ(normal.type, "normal");
    // Only the literal true makes a jumper.
    EXPECT_FALSE(normal.canJump);
    EXPECT_FLOAT_EQ(normal.jumpRate, 0.0f);
    EXPECT_FLOAT_EQ(normal.weight, 5.0f);
    EXPECT_EQ(normal.maxAlive, 0);
    EXPECT_TRUE(Traced("\"jumpRate\" is not a number"));
    EXPECT_TRUE(Traced("\"maxAlive\" is not a whole number"));
    EXPECT_TRUE(Traced("AI type 2 is not an object"));
    EXPECT_TRUE(Traced("AI type 3 has a \"type\" that is not text"));
    // Missing members read as 0.
    const AIType& giant = gAITypes[1];
    EXPECT_EQ(giant.type, "giant");
    EXPECT_FLOAT_EQ(giant.weight, 0.0f);
    EXPECT_FLOAT_EQ(giant.spawnRate, 0.0f);
    EXPECT_EQ(giant.maxAlive, 0);
}

TEST_F(AlienSpawnerFile, ValuesNoAlienCanHaveReadAsZeroWithTheKeyAndFileNamed)
{
    AISpawner::LoadFile("tests/data/game/ai_absurd_values.json");
    ASSERT_EQ(gAITypes.size(), 1u);
    const AIType& normal = gAITypes[0];
    EXPECT_TRUE(normal.canJump);
    EXPECT_EQ(std::vector<float>({normal.jumpRate, normal.weight, normal.moveSpeed, normal.spawnRate}),
              std::vector<float>(4, 0.0f));
    EXPECT_EQ(normal.maxAlive, 0);
    for (const char* key : {"jumpRate", "weight", "moveSpeed", "spawnRate", "maxAlive"})
        EXPECT_TRUE(Traced("\"" + std::string(key) + "\" is not a")) << key;
    EXPECT_TRUE(Traced("tests/data/game/ai_absurd_values.json"));
}

TEST_F(AlienSpawnerFile, EveryEntryOfAKindMakesASpawnerAndUnknownNamesNone)
{
    AISpawner::LoadFile("./assets/json/aitest.json");
    gAITypes.push_back(gAITypes[0]);
    gAITypes.back().maxAlive = 9;
    AISpawner::EnableType({3.0f, 4.0f}, "normal");
    AISpawner::EnableType({3.0f, 4.0f}, "purple");
    ASSERT_EQ(gSpawners.size(), 2u);
    EXPECT_EQ(gSpawners[0].maxAlive, 5);
    EXPECT_EQ(gSpawners[1].maxAlive, 9);
    EXPECT_EQ(gSpawners[1].position, glm::vec2(3.0f, 4.0f));
}

} // namespace
