#include "EditorSession.h"

#include "core/EntityManager.h"
#include "core/JsonFile.h"
#include "core/StateManager.h"
#include "physics/AdvancedBody.h"
#include "render/AbsorbEmitter.h"
#include "render/BasicEmitter.h"
#include "render/ElipticalEmitter.h"
#include "render/ParticleEffects.h"
#include "render/ParticleSystem.h"
#include "support/FileText.h"
#include "tools/GraphicsState.h"
#include "tools/ParticleState.h"
#include "tools/SandboxState.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace {

class EditorStatesTest : public EditorSession {
protected:
    bool GoTo(const std::string& state)
    {
        const std::vector<std::string> names = StateManager::GetStateNames();
        const auto found = std::find(names.begin(), names.end(), state);
        return found != names.end() &&
               input.ClickEntry("Gamestate Selector", "##states", static_cast<int>(found - names.begin()), state) &&
               input.Click("Gamestate Selector", "Go To Selected State");
    }

    std::vector<std::string> EntityNames() const
    {
        std::vector<std::string> names;
        for (const auto& entity : EntityManager::GetEntities())
            names.push_back(entity->GetName());
        return names;
    }

    template <typename Emitter>
    Emitter* EmitterOf(const std::string& entity) const
    {
        std::shared_ptr<fb::Entity> found = FindEntity(entity);
        std::shared_ptr<ParticleSystem> system = found ? found->GetComponent<ParticleSystem>() : nullptr;
        return system ? dynamic_cast<Emitter*>(system->GetEmitter().get()) : nullptr;
    }
};

constexpr const char* kEliptical = R"({"sourceFilenme": "assets/img/Alien.png", "particleCount": 12, "scale": 0.2,
    "emitDelay": 0.004, "emitDelayVary": 0.0, "emitAngle": 0.5, "emitAngleVary": 0.0, "emitSpeed": 2.0,
    "emitSpeedVary": 0.0, "particleLifetime": 0.3, "particleLifeVary": 0.0, "drag": 1.0, "doFading": true,
    "doShrinking": 1, "ParticleEmitter": {"EmitterType": "ElipticalEmitter", "sizeX": 0.5, "sizeY": 0.25,
    "windX": 0.75, "windY": 0.0}})";

TEST_F(EditorStatesTest, TheSelectorLeadsThroughEveryTestStateAndBack)
{
    OpenDebugWindows();
    ASSERT_TRUE(GoTo("GraphicsState"));
    ASSERT_TRUE(dynamic_cast<fb::GraphicsState*>(StateManager::GetCurrentState()));
    EXPECT_EQ(EntityNames(), (std::vector<std::string>{"sample", "sample2", "sample3"}));
    ASSERT_TRUE(input.Click("Buttons!", "Make Particles"));
    EXPECT_TRUE(EmitterOf<AbsorbEmitter>("dummy text"));
    // Issued outside both windows, the button lands in Dear ImGui's own one.
    ASSERT_TRUE(input.Click("Debug##Default", "Exit To Next State"));
    ASSERT_TRUE(dynamic_cast<fb::ParticleState*>(StateManager::GetCurrentState()));
    EXPECT_EQ(EntityNames(), std::vector<std::string>{"ParticleMaker's Particle Entity"})
        << "the session file of the particles folder is loaded on entry";

    ASSERT_TRUE(GoTo("EditorTest"));
    ASSERT_TRUE(dynamic_cast<fb::ZorvSandboxState*>(StateManager::GetCurrentState()));
    EXPECT_EQ(EntityNames(), (std::vector<std::string>{"TestChild", "TestDyn", "TestStc"}));
    EXPECT_NE(FindEntity("TestDyn")->GetComponent<fb::cmp::AdvancedBody>()->GetVelocity(), glm::vec2(0.0f, 0.0f));
    rapidjson::Document session;
    std::string error;
    EXPECT_EQ(fb::ReadJsonFile("latestParticleSession.json", session, error), fb::JsonFileStatus::Read)
        << "leaving the particle editor keeps its settings in the working folder: " << error;

    ASSERT_TRUE(GoTo("IntroState"));
    EXPECT_EQ(StateManager::GetCurrentState(), &intro);
    EXPECT_TRUE(EntityNames().empty());
    EXPECT_TRUE(ImGuiInput::Shown("Gamestate Selector"));
}

TEST_F(EditorStatesTest, TheParticleEditorLoadsPlaysAndExportsEffects)
{
    OpenDebugWindows();
    std::ofstream("assets/json/particles/walkEffect.json") << kEliptical;
    ASSERT_TRUE(GoTo("ParticleState"));

    ASSERT_TRUE(input.TypeInto("File Control", "Target File", "walkEffect.json"));
    ASSERT_TRUE(input.Click("File Control", "LOAD FROM THIS FILE"));
    EXPECT_TRUE(input.ShowsText("Elipse Emitter"));
    EXPECT_EQ(FindEntity("ParticleMaker's Particle Entity")->GetComponent<ParticleSystem>()->GetTexture().name,
              "assets/img/Alien.png");
    ASSERT_TRUE(input.Click("Particle System", "PLAY"));
    EXPECT_EQ(EntityNames(), std::vector<std::string>{"dummy text"}) << "the new effect takes the old one's place";
    EXPECT_TRUE(EmitterOf<ElipticalEmitter>("dummy text"));
    EXPECT_FLOAT_EQ(FindEntity("dummy text")->GetComponent<ParticleSystem>()->GetScale(), 0.2f);

    // Absorbing shows the eliptical wind as its pull.
    ASSERT_TRUE(input.Click("Emitter/Manipulator", "Next Type"));
    ASSERT_TRUE(input.Click("Particle System", "PLAY"));
    ASSERT_TRUE(EmitterOf<AbsorbEmitter>("dummy text"));
    EXPECT_FLOAT_EQ(EmitterOf<AbsorbEmitter>("dummy text")->GetPull(), 0.75f);

    ASSERT_TRUE(input.Click("Emitter/Manipulator", "Next Type"));
    ASSERT_TRUE(input.Click("Emitter/Manipulator", "Next Type"));
    for (const char* control : {"Radius", "SizeX", "Width", "Pull", "WindX"})
        EXPECT_FALSE(input.ShowsText(control)) << "no emitter, no emitter controls";
    ASSERT_TRUE(input.Click("Particle System", "PLAY"));
    EXPECT_FALSE(FindEntity("dummy text")->GetComponent<ParticleSystem>()->GetEmitter());
    ASSERT_TRUE(input.TypeInto("File Control", "Target File", "walkExport.json"));
    ASSERT_TRUE(input.Click("File Control", "EXPORT TO THIS FILE"));
    const std::string exported = FileText("assets/json/particles/walkExport.json");
    EXPECT_EQ(exported.find("ParticleEmitter"), std::string::npos);
    EXPECT_NE(exported.find("\"doShrinking\": false"), std::string::npos) << "only the literal true is true";
    // The game's own effect maker plays what the editor wrote.
    const std::size_t before = EntityManager::GetEntities().size();
    MakeParticle("walkExport", 1.0f, {0.0f, 0.0f}, false);
    EXPECT_EQ(EntityManager::GetEntities().size(), before + 1);

    // Files that cannot be read or written are reported and change nothing.
    std::ofstream("assets/json/particles/walkList.json") << "[1, 2]";
    std::filesystem::create_directory("assets/json/particles/walkFolder.json");
    for (const char* target : {"walkMissing.json", "walkList.json"}) {
        ASSERT_TRUE(input.TypeInto("File Control", "Target File", target));
        ASSERT_TRUE(input.Click("File Control", "LOAD FROM THIS FILE"));
    }
    ASSERT_TRUE(input.TypeInto("File Control", "Target File", "walkFolder.json"));
    ASSERT_TRUE(input.Click("File Control", "EXPORT TO THIS FILE"));
    EXPECT_TRUE(input.ShowsText("json NOT saved: Could not load file: assets/json/particles/walkFolder.json: "));
    EXPECT_TRUE(Traced("Could not load file: assets/json/particles/walkFolder.json: cannot write"));
    EXPECT_TRUE(Traced("Could not load file: assets/json/particles/walkMissing.json"));
    EXPECT_TRUE(Traced("walkList.json does not hold an object"));
    EXPECT_TRUE(FindEntity("dummy text"));
    ASSERT_TRUE(input.TypeInto("File Control", "Target File", "walkAgain.json"));
    ASSERT_TRUE(input.Click("File Control", "EXPORT TO THIS FILE"));
    EXPECT_EQ(FileText("assets/json/particles/walkAgain.json"), exported);

    ASSERT_TRUE(input.Click("Emitter/Manipulator", "Next Type"));
    EXPECT_TRUE(input.ShowsText("Basic Emitter")) << "the types go round";
    // The game plays the file as it is now, not as it first read it.
    ASSERT_TRUE(input.TypeInto("File Control", "Target File", "walkExport.json"));
    ASSERT_TRUE(input.Click("File Control", "EXPORT TO THIS FILE"));
    MakeParticle("walkExport", 1.0f, {0.0f, 0.0f}, false);
    std::shared_ptr<ParticleSystem> replayed = EntityManager::GetEntities().back()->GetComponent<ParticleSystem>();
    EXPECT_TRUE(dynamic_cast<BasicEmitter*>(replayed->GetEmitter().get()));
    ASSERT_TRUE(input.Click("Particle File Selector", "Update List"));
    ASSERT_TRUE(input.ClickEntry("Particle File Selector", "##files", 0, "CharacterTrail1.json"));
    ASSERT_TRUE(input.Click("Particle File Selector", "Target This File"));
    ASSERT_TRUE(input.Click("File Control", "LOAD FROM THIS FILE"));
    EXPECT_TRUE(FindEntity("ParticleMaker's Particle Entity"));
}

// Whatever is typed or read, the editor holds only finite values, plays
// effects within the game's ranges and exports only into its own folder.
TEST_F(EditorStatesTest, TheParticleEditorKeepsItsValuesFiniteAndItsFilesInItsFolder)
{
    OpenDebugWindows();
    std::ofstream("assets/json/particles/runaway.json")
        << R"({"sourceFilenme": "assets/img/Alien.png", "particleCount": 12.0, "scale": 0.2, "emitDelay": 0.5,
              "emitDelayVary": 0, "emitAngle": 0, "emitAngleVary": 0, "emitSpeed": -1e300, "emitSpeedVary": 0,
              "particleLifetime": 60, "particleLifeVary": 0, "drag": 1e39, "doFading": true, "doShrinking": false,
              "ParticleEmitter": {"EmitterType": "BasicEmitter", "radius": 2e6, "windX": 0, "windY": 0}})";
    ASSERT_TRUE(GoTo("ParticleState"));
    ASSERT_TRUE(input.TypeInto("File Control", "Target File", "runaway.json"));
    ASSERT_TRUE(input.Click("File Control", "LOAD FROM THIS FILE"));
    ASSERT_TRUE(input.Click("Particle System", "PLAY"));
    std::shared_ptr<ParticleSystem> played = FindEntity("dummy text")->GetComponent<ParticleSystem>();
    EXPECT_EQ(played->GetEmitSpeed(), 0.0f);
    EXPECT_EQ(EmitterOf<BasicEmitter>("dummy text")->GetRadius(), 0.0f);

    const std::string sounds = FileText("assets/json/CharacterSounds.json");
    for (const char* target : {"../CharacterSounds.json", "/tmp/escaped.json", "sub/a.json", "notes.txt", ".json"}) {
        ASSERT_TRUE(input.TypeInto("File Control", "Target File", target));
        ASSERT_TRUE(input.Click("File Control", "EXPORT TO THIS FILE"));
        EXPECT_TRUE(input.ShowsText("json NOT saved: the target must be a plain file name ending in .json"))
            << target;
    }
    EXPECT_EQ(FileText("assets/json/CharacterSounds.json"), sounds);
    EXPECT_FALSE(std::filesystem::exists("/tmp/escaped.json"));

    ASSERT_TRUE(input.TypeInto("File Control", "Target File", "finite.json"));
    ASSERT_TRUE(input.Click("File Control", "EXPORT TO THIS FILE"));
    EXPECT_TRUE(input.ShowsText("exported finite.json"));
    const std::string exported = FileText("assets/json/particles/finite.json");
    for (const char* kept : {"\"particleCount\": 12,", "\"particleLifetime\": 10.0,", "\"drag\": 0.0,"})
        EXPECT_NE(exported.find(kept), std::string::npos) << "12.0 is 12, as the game reads it: " << exported;
    const std::pair<const char*, std::vector<const char*>> sliders[] = {
        {"Particle System",
         {"Count", "Size", "Emit Delay", "eVary", "Angle", "aVary", "Speed", "sVary", "Drag", "Lifetime", "lVary"}},
        {"Emitter/Manipulator", {"Radius", "WindX", "WindY"}},
    };
    for (const auto& [window, labels] : sliders) {
        for (const char* label : labels) {
            // A whole-number field takes no letters at all.
            const bool whole = std::string(label) == "Count";
            for (const char* typed : {"inf", "nan", "1e39", "-1e39"}) {
                if (whole && typed[0] != 'i' && typed[0] != 'n')
                    continue;
                ASSERT_TRUE(input.TypeIntoSlider(window, label, typed)) << label;
            }
            if (!whole) {
                EXPECT_TRUE(input.ShowsText(std::string(label) + " takes only finite numbers")) << label;
            }
        }
    }
    ASSERT_TRUE(input.Click("File Control", "EXPORT TO THIS FILE"));
    EXPECT_EQ(FileText("assets/json/particles/finite.json"), exported);

    // Values typed past the game's ranges are moved into them when played.
    ASSERT_TRUE(input.TypeIntoSlider("Particle System", "Count", "-5"));
    ASSERT_TRUE(input.Click("Particle System", "PLAY"));
    EXPECT_TRUE(input.ShowsText("\"particleCount\" is missing or not a whole number from 0 up"));
    EXPECT_EQ(FindEntity("dummy text")->GetComponent<ParticleSystem>(), played) << "no effect is made of it";
    ASSERT_TRUE(input.TypeIntoSlider("Particle System", "Count", "99999"));
    ASSERT_TRUE(input.TypeIntoSlider("Particle System", "Lifetime", "500"));
    ASSERT_TRUE(input.Click("Particle System", "PLAY"));
    EXPECT_LE(FindEntity("dummy text")->GetComponent<ParticleSystem>()->GetParticleCount(), 10000);
    ASSERT_TRUE(input.Click("File Control", "EXPORT TO THIS FILE"));
    const std::string bounded = FileText("assets/json/particles/finite.json");
    for (const char* kept : {"\"particleCount\": 10000,", "\"particleLifetime\": 10.0,"})
        EXPECT_NE(bounded.find(kept), std::string::npos) << bounded;
}

} // namespace
