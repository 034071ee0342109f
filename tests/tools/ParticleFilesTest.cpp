#include "ScratchGameFolder.h"
#include "core/JsonWriting.h"
#include "core/EntityManager.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "render/AbsorbEmitter.h"
#include "render/BasicEmitter.h"
#include "render/ParticleEffects.h"
#include "render/ParticleSystem.h"
#include "render/SquareEmitter.h"
#include "support/FileText.h"
#include "support/GLTestWindow.h"
#include "support/PrivateXServer.h"
#include "tools/ParticleSettings.h"
#include "tools/ParticleState.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// Files written by the particle editor, read back by the game's effect
// makers and by the editor itself.
class ParticleFilesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EntityManager::Init();
        Time::Init();
        Time::SetDt(1.0f / 60.0f);
        // The particle editor starts from its default settings, whatever an
        // earlier test in the process loaded into it.
        const std::string defaults =
            (std::filesystem::temp_directory_path() / ("vendrabolt-particle-defaults-" + std::to_string(getpid()) + ".json"))
                .string();
        std::string text;
        std::string error;
        ASSERT_TRUE(fb::WriteJson(ParticleSettingsDocument(ParticleSettings()), fb::JsonLayout::Indented, text, error));
        std::ofstream(defaults) << text;
        fb::ParticleState::LoadFile(defaults);
        std::filesystem::remove(defaults);
        EntityManager::Clear();
        oldSink = SetTraceSink([this](const std::string& message, int level) {
            if (level >= 4)
                errors.push_back(message);
        });
    }

    void TearDown() override
    {
        EntityManager::Clear();
        SetTraceSink(oldSink);
    }

    static std::string Json(const ParticleSettings& settings)
    {
        std::string text;
        std::string error;
        EXPECT_TRUE(fb::WriteJson(ParticleSettingsDocument(settings), fb::JsonLayout::Indented, text, error)) << error;
        return text;
    }

    static std::shared_ptr<ParticleSystem> NewestSystem()
    {
        return EntityManager::GetEntities().back()->GetComponent<ParticleSystem>();
    }

    PrivateXServer display;
    ScratchGameFolder folder;
    GLTestWindow window;
    std::vector<std::string> errors;
    TraceSink oldSink;
};

TEST_F(ParticleFilesTest, EveryEmitterTypeWrittenIsPlayedByTheGameAndReadBackAlike)
{
    const std::string folderPath = "assets/json/particles/";
    for (int type = 0; type < ParticleSettings::TypeCount; ++type) {
        ParticleSettings settings;
        settings.particleCount = 7;
        settings.emitterType = type;
        settings.emitterValues[0] = 0.5f;
        settings.emitterValues[1] = 0.25f;
        settings.emitterValues[2] = 0.75f;
        settings.emitterValues[3] = -1.0f;
        const std::string name = "written" + std::to_string(type);
        const std::string text = Json(settings);
        std::ofstream(folderPath + name + ".json") << text;

        MakeParticle(name, 1.0f, {0.0f, 0.0f}, false);
        ASSERT_EQ(EntityManager::GetEntities().size(), 1u) << name;
        ParticleEmitter* emitter = NewestSystem()->GetEmitter().get();
        switch (type) {
        case ParticleSettings::Basic: EXPECT_TRUE(dynamic_cast<BasicEmitter*>(emitter)); break;
        case ParticleSettings::Absorb: EXPECT_TRUE(dynamic_cast<AbsorbEmitter*>(emitter)); break;
        case ParticleSettings::Square: EXPECT_TRUE(dynamic_cast<SquareEmitter*>(emitter)); break;
        // The game has no maker for the editor's ellipse: its particles stay put.
        default: EXPECT_FALSE(emitter) << name; break;
        }
        EntityManager::Clear();

        fb::ParticleState::LoadFile(folderPath + name + ".json");
        EXPECT_EQ(NewestSystem()->GetEmitter() != nullptr, type != ParticleSettings::NoEmitter) << name;
        fb::ParticleState::SaveFile("again.json");
        if (type != ParticleSettings::NoEmitter)
            EXPECT_EQ(FileText("again.json"), text) << name;
        else
            EXPECT_NE(FileText("again.json").find("\"EmitterType\": \"SquareEmitter\""), std::string::npos)
                << "a file without an emitter keeps the editor's emitter type";
        EntityManager::Clear();
    }
    EXPECT_TRUE(errors.empty()) << errors.front();
}

TEST_F(ParticleFilesTest, FloatsAreWrittenInTheirShortestFormAndMissingKeysKeepTheirSettings)
{
    const std::string defaults = Json(ParticleSettings());
    EXPECT_NE(defaults.find("\"scale\": 0.035,"), std::string::npos) << defaults;
    EXPECT_NE(defaults.find("\"emitAngleVary\": 3.1415927,"), std::string::npos) << "pi as the float holds it";

    std::ofstream("sparse.json") << R"({"particleCount": 3, "scale": 0.5, "doFading": 1, "doShrinking": true})";
    fb::ParticleState::LoadFile("sparse.json");
    fb::ParticleState::SaveFile("sparseAgain.json");
    const std::string saved = FileText("sparseAgain.json");
    EXPECT_NE(saved.find("\"particleCount\": 3,"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\"scale\": 0.5,"), std::string::npos);
    EXPECT_NE(saved.find("\"doFading\": false"), std::string::npos) << "only the literal true is true";
    EXPECT_NE(saved.find("\"doShrinking\": true"), std::string::npos);
    EXPECT_NE(saved.find("\"emitDelay\": 0.05,"), std::string::npos) << "absent keys keep the setting";
}

} // namespace
