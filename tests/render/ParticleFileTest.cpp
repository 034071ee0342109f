#include "core/ComponentFactory.h"
#include "core/Trace.h"
#include "render/AbsorbEmitter.h"
#include "render/BasicEmitter.h"
#include "render/ParticleFile.h"
#include "render/ParticleSystem.h"
#include "render/SquareEmitter.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Test files, reached from the game's particle folder.
const std::string kTestFiles = "../../../tests/data/particles/";

class ParticleFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mOldSink = SetTraceSink([this](const std::string& message, int level) {
            if (level >= 3)
                complaints.push_back(message);
        });
    }

    void TearDown() override { SetTraceSink(mOldSink); }

    rapidjson::Document Read(const std::string& fileName)
    {
        return ReadParticleFile(fileName, "json parse error in MakeParticle");
    }

    std::shared_ptr<ParticleSystem> SystemOf(const std::string& fileName)
    {
        rapidjson::Document document = Read(fileName);
        ParticleFileScope scope(fileName);
        return std::dynamic_pointer_cast<ParticleSystem>(ComponentFactory::Create("ParticleSystem", document));
    }

    std::shared_ptr<fb::cmp::Component> EmitterOf(const std::string& fileName)
    {
        rapidjson::Document document = Read(fileName);
        ParticleFileScope scope(fileName);
        return ComponentFactory::Create("ParticleEmitter", document);
    }

    bool Complained(const std::string& text) const
    {
        for (const std::string& message : complaints) {
            if (message.find(text) != std::string::npos)
                return true;
        }
        return false;
    }

    std::vector<std::string> complaints;

private:
    TraceSink mOldSink;
};

TEST_F(ParticleFileTest, EveryGameParticleFileReadsWithoutComplaint)
{
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(kParticleFolder)) {
        if (entry.path().extension() != ".json")
            continue;
        const std::string fileName = entry.path().filename().string();
        SCOPED_TRACE(fileName);
        ++files;
        EXPECT_TRUE(SystemOf(fileName));
        EXPECT_TRUE(std::dynamic_pointer_cast<ParticleEmitter>(EmitterOf(fileName)));
    }
    EXPECT_GE(files, 23);
    EXPECT_TRUE(complaints.empty()) << complaints.front();
}

TEST_F(ParticleFileTest, TheCreatorsReadEveryKeyOfTheFile)
{
    auto system = SystemOf("DravikHit.json");
    ASSERT_TRUE(system);
    EXPECT_EQ(system->GetTexture().name, "assets/img/particles/spark_yellow.png");
    EXPECT_EQ(system->GetParticleCount(), 20);
    EXPECT_FLOAT_EQ(system->GetScale(), 0.15f);
    EXPECT_FLOAT_EQ(system->GetEmitSpeed(), 2.0f);
    EXPECT_FLOAT_EQ(system->GetEmitSpeedVary(), 0.8f);
    EXPECT_FLOAT_EQ(system->GetTotalLifetime(), 0.001f * 20 + 0.24f + 0.06f);

    auto basic = std::dynamic_pointer_cast<BasicEmitter>(EmitterOf("DravikHit.json"));
    ASSERT_TRUE(basic);
    EXPECT_FLOAT_EQ(basic->GetRadius(), 0.02f);
    auto absorb = std::dynamic_pointer_cast<AbsorbEmitter>(EmitterOf("PortalIn.json"));
    ASSERT_TRUE(absorb);
    EXPECT_FLOAT_EQ(absorb->GetPull(), -6.0f);
    auto square = std::dynamic_pointer_cast<SquareEmitter>(EmitterOf("ProtoPortal0.json"));
    ASSERT_TRUE(square);
    EXPECT_EQ(square->GetWind(), glm::vec2(0.0f, 0.8f));

    EXPECT_EQ(SystemOf("CharacterTrail1.json")->GetParticleCount(), -1) << "a count of 0 is endless";
}

TEST_F(ParticleFileTest, TheCreatorsAreRegisteredByTheirFileNames)
{
    for (const char* type : {"ParticleSystem", "ParticleEmitter", "BasicEmitter", "AbsorbEmitter", "SquareEmitter"})
        EXPECT_TRUE(ComponentFactory::IsRegistered(type)) << type;
    EXPECT_FALSE(ComponentFactory::IsRegistered("ElipticalEmitter"));
}

TEST_F(ParticleFileTest, AMissingFileThrowsTheLoadersErrorWithoutTheFolder)
{
    try {
        Read("NoSuchEffect.json");
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Could not load file: NoSuchEffect.json");
    }
}

TEST_F(ParticleFileTest, AFileThatDoesNotParseIsTracedWithWhereItWentWrong)
{
    rapidjson::Document document = Read(kTestFiles + "unparsable.json");
    EXPECT_TRUE(document.IsNull());
    ASSERT_EQ(complaints.size(), 1u);
    EXPECT_EQ(complaints[0].rfind("json parse error in MakeParticle: ", 0), 0u) << complaints[0];
    EXPECT_NE(complaints[0].find("unparsable.json"), std::string::npos);
    EXPECT_NE(complaints[0].find("at byte"), std::string::npos);
}

TEST_F(ParticleFileTest, MistypedAndMissingKeysAreTracedByFileAndKeyAndReadAsNothing)
{
    auto system = SystemOf(kTestFiles + "wrong_types.json");
    ASSERT_TRUE(system);
    EXPECT_EQ(system->GetTexture().name, "");
    EXPECT_EQ(system->GetParticleCount(), 8) << "8.0 is a whole number";
    EXPECT_EQ(system->GetScale(), 0.0f);
    for (const char* key : {"\"sourceFilenme\"", "\"scale\"", "\"drag\"", "\"doFading\""})
        EXPECT_TRUE(Complained(key)) << key;
    EXPECT_TRUE(Complained("Particle file " + kTestFiles + "wrong_types.json: \"scale\""));

    auto basic = std::dynamic_pointer_cast<BasicEmitter>(EmitterOf(kTestFiles + "wrong_types.json"));
    ASSERT_TRUE(basic);
    EXPECT_EQ(basic->GetRadius(), 0.0f);
    EXPECT_EQ(basic->GetWind(), glm::vec2(0.0f, 0.5f));
    EXPECT_TRUE(Complained("\"radius\""));
    EXPECT_TRUE(Complained("\"windX\""));
}

TEST_F(ParticleFileTest, ACountThatCannotBeReadMakesNoSystem)
{
    for (const char* file : {"no_count.json", "negative_count.json", "fractional_count.json", "not_an_object.json"}) {
        SCOPED_TRACE(file);
        complaints.clear();
        EXPECT_FALSE(SystemOf(kTestFiles + file));
        EXPECT_FALSE(complaints.empty());
    }
}

TEST_F(ParticleFileTest, AnEmitterThatCannotBeMadeIsTracedAndLeftOut)
{
    EXPECT_FALSE(EmitterOf(kTestFiles + "no_emitter.json"));
    EXPECT_TRUE(Complained("Particle Emitter factory called: no particle data found."));
    for (const char* file : {"eliptical.json", "unknown_emitter.json", "transform_emitter.json",
                             "numeric_emitter_type.json", "emitter_of_emitter.json"}) {
        SCOPED_TRACE(file);
        complaints.clear();
        EXPECT_FALSE(EmitterOf(kTestFiles + file));
        EXPECT_TRUE(Complained(std::string(file) + ": \"EmitterType\""));
        EXPECT_TRUE(SystemOf(kTestFiles + file)) << "the system itself is fine";
    }
}

TEST_F(ParticleFileTest, NoFileMakesAnEffectThatNeverEndsOrGrowsWithoutBound)
{
    // Two billion particles, fifteen minutes apart, each living eleven days.
    auto runaway = SystemOf(kTestFiles + "runaway.json");
    ASSERT_TRUE(runaway);
    EXPECT_EQ(runaway->GetParticleCount(), 10000);
    EXPECT_FLOAT_EQ(runaway->GetTotalLifetime(), 5.0f * 10000 + 10.0f);
    EXPECT_EQ(runaway->GetEmitSpeed(), 0.0f) << "1e30 units a second is no speed";
    for (const char* key : {"\"particleCount\"", "\"emitDelay\"", "\"emitDelayVary\"", "\"emitAngleVary\"",
                            "\"emitSpeed\"", "\"particleLifetime\"", "\"drag\""})
        EXPECT_TRUE(Complained("runaway.json: " + std::string(key))) << key;
    // Numbers are written as short as they read back.
    for (const char* told : {"\"emitAngleVary\" is 1e+300, beyond any sensible size; 0 is used",
                             "\"emitDelayVary\" -3 is outside 0 to 5; 0 is used",
                             "\"particleLifetime\" 1e+06 is outside 0 to 10; 10 is used"})
        EXPECT_TRUE(Complained(told)) << told;

    // An endless effect with no delay: at most a thousand particles a second,
    // each living at most twenty seconds, however long it runs.
    auto flood = SystemOf(kTestFiles + "endless_flood.json");
    ASSERT_TRUE(flood);
    std::size_t most = 0;
    for (int second = 0; second < 25; ++second) {
        flood->UpdateParticles(1.0f);
        most = std::max(most, flood->GetParticles().size());
    }
    EXPECT_GT(most, 0u);
    EXPECT_LE(most, 20000u);
}

} // namespace
