#include "tools/ParticleState.h"

#include "core/ComponentFactory.h"
#include "core/EntityManager.h"
#include "core/JsonFile.h"
#include "core/JsonWriting.h"
#include "core/KeptFiles.h"
#include "core/PlainFileName.h"
#include "core/StateManager.h"
#include "core/Trace.h"
#include "core/Transform.h"
#include "render/AbsorbEmitter.h"
#include "render/CamManager.h"
#include "render/ParticleFile.h"
#include "render/ParticleSystem.h"
#include "render/SquareEmitter.h"
#include "render/TextureManager.h"
#include "tools/DeveloperLayout.h"
#include "tools/EditorWidgets.h"
#include "tools/FileList.h"
#include "tools/ParticleSettings.h"
#include "tools/StatusLine.h"
#include "tools/StringListIndex.h"
#include "tools/StringListItemGetter.h"

#include <cstdio>
#include <imgui.h>
#include <stdexcept>
#include <string_view>
#include <vector>

namespace {

constexpr const char* kFolder = "assets/json/particles/";
constexpr const char* kSessionFile = "latestParticleSession.json";
constexpr int kFileTextSize = 128;
constexpr float kPi = 3.14159274f;

ParticleSettings gSettings;
char gTargetFile[kFileTextSize] = "latestParticleSession.json";
std::vector<std::string> gFileNames;
int gSelectedFile = 0;
std::shared_ptr<fb::Entity> gEffect;
StatusLine gSystemStatus;
StatusLine gEmitterStatus;
StatusLine gFileStatus;

// Made once and never deleted; held here as well as in the registry.
fb::ParticleState* const gState = new fb::ParticleState();
StateManager::Registration gRegistration("ParticleState", gState);

void CopyBounded(char (&target)[kFileTextSize], const std::string& text)
{
    std::snprintf(target, sizeof target, "%s", text.c_str());
}

void ListJsonFiles()
{
    gFileNames.clear();
    for (const auto& file : ListFiles(kFolder, ".json"))
        gFileNames.push_back(file.filename().string());
}

// The new effect takes the place of the one on screen.
void ShowEffect(std::shared_ptr<fb::Entity> effect)
{
    if (gEffect)
        EntityManager::Remove(gEffect);
    gEffect = std::move(effect);
    EntityManager::Add(gEffect);
}

// The effect is built within the ranges of particle files, and the sliders
// show what it is built from.
void Play()
{
    std::string moved;
    const bool playable = KeepWithinParticleLimits(gSettings, [&moved](const std::string& what) {
        Trace("Particle editor: " + what, 3);
        moved += what + "\n";
    });
    if (!moved.empty())
        gSystemStatus.Show(moved);
    if (!playable)
        return;
    auto entity = std::make_shared<fb::Entity>("dummy text");
    const ParticleSettings& s = gSettings;
    auto system = std::make_shared<ParticleSystem>(
        TextureManager::Load(s.sourceFile), s.particleCount, s.scale, s.emitDelay, s.emitDelayVary, s.emitAngle,
        s.emitAngleVary, s.emitSpeed, s.emitSpeedVary, s.particleLifetime, s.particleLifeVary, s.drag, s.fading,
        s.shrinking);
    if (std::shared_ptr<ParticleEmitter> emitter = MakeEmitter(s))
        entity->AddComponent<ParticleEmitter>(emitter);
    entity->AddComponent<ParticleSystem>(system);
    entity->AddComponent<fb::cmp::Transform>(std::make_shared<fb::cmp::Transform>());
    ShowEffect(std::move(entity));
}

// Runs a file operation; a failure is traced and changes nothing. False
// then, and the window shows the failure after its own lead.
template <typename Operation>
bool Guarded(Operation operation, const std::string& windowLead = "")
{
    try {
        operation();
        return true;
    } catch (const std::exception& error) {
        Trace(std::string("Particle editor: ") + error.what(), 4);
        gFileStatus.Show(windowLead + error.what(), 6.0f);
        return false;
    }
}

// Exports go only to a file of the particle folder itself.
bool IsExportName(const std::string& name)
{
    constexpr std::string_view extension = ".json";
    return IsPlainFileName(name) && name.size() > extension.size() &&
           name.compare(name.size() - extension.size(), extension.size(), extension) == 0;
}

void SliderFloat(const char* label, float& value, float min, float max)
{
    FiniteSlider(label, value, min, max, gSystemStatus);
}

void EmitterSlider(const char* label, float& value, float min, float max)
{
    FiniteSlider(label, value, min, max, gEmitterStatus);
}

bool DrawParticleSystemWindow()
{
    ParticleSettings& s = gSettings;
    BeginDeveloperWindow("Particle System", developer_layout::kParticleSystem);
    PushFieldWidthBeside("Source File");
    char source[kFileTextSize];
    CopyBounded(source, s.sourceFile);
    ImGui::InputText("Source File", source, kFileTextSize);
    s.sourceFile = source;
    ImGui::SliderInt("Count", &s.particleCount, 0, 1000, "%.0f");
    SliderFloat("Size", s.scale, 0.01f, 1.0f);
    SliderFloat("Emit Delay", s.emitDelay, 0.001f, 0.5f);
    SliderFloat("eVary", s.emitDelayVary, 0.0f, 1.0f);
    SliderFloat("Angle", s.emitAngle, 0.0f, 2.0f * kPi);
    SliderFloat("aVary", s.emitAngleVary, 0.0f, kPi);
    SliderFloat("Speed", s.emitSpeed, 0.0f, 10.0f);
    SliderFloat("sVary", s.emitSpeedVary, 0.0f, 10.0f);
    SliderFloat("Drag", s.drag, 0.0f, 10.0f);
    SliderFloat("Lifetime", s.particleLifetime, 0.01f, 10.0f);
    SliderFloat("lVary", s.particleLifeVary, 0.0f, 10.0f);
    ImGui::Checkbox("Fades?", &s.fading);
    ImGui::Checkbox("Shrink?", &s.shrinking);
    const bool play = ImGui::Button("PLAY");
    gSystemStatus.Draw();
    ImGui::PopItemWidth();
    ImGui::End();
    return play;
}

void DrawEmitterWindow()
{
    ParticleSettings& s = gSettings;
    BeginDeveloperWindow("Emitter/Manipulator", developer_layout::kEmitter);
    PushFieldWidthBeside("Height");
    if (ImGui::Button("Last Type"))
        s.emitterType = (s.emitterType + ParticleSettings::TypeCount - 1) % ParticleSettings::TypeCount;
    ImGui::SameLine();
    if (ImGui::Button("Next Type"))
        s.emitterType = (s.emitterType + 1) % ParticleSettings::TypeCount;
    float* v = s.emitterValues;
    switch (s.emitterType) {
    case ParticleSettings::Basic:
        ImGui::Text("Basic Emitter");
        EmitterSlider("Radius", v[0], 0.0f, 1.0f);
        EmitterSlider("WindX", v[2], -10.0f, 10.0f);
        EmitterSlider("WindY", v[3], -10.0f, 10.0f);
        break;
    case ParticleSettings::Elipse:
        ImGui::Text("Elipse Emitter");
        EmitterSlider("SizeX", v[0], 0.0f, 1.0f);
        EmitterSlider("SizeY", v[1], 0.0f, 1.0f);
        EmitterSlider("WindX", v[2], -10.0f, 10.0f);
        EmitterSlider("WindY", v[3], -10.0f, 10.0f);
        break;
    case ParticleSettings::Absorb:
        ImGui::Text("Absorb Emitter");
        EmitterSlider("Radius", v[0], 0.0f, 1.0f);
        EmitterSlider("Pull", v[2], 0.0f, 1.0f);
        break;
    case ParticleSettings::Square:
        ImGui::Text("Square Emitter");
        EmitterSlider("Width", v[0], 0.0f, 1.0f);
        EmitterSlider("Height", v[1], 0.0f, 1.0f);
        EmitterSlider("WindX", v[2], -10.0f, 10.0f);
        EmitterSlider("WindY", v[3], -10.0f, 10.0f);
        break;
    default:
        break;
    }
    gEmitterStatus.Draw();
    ImGui::PopItemWidth();
    ImGui::End();
}

void DrawFileSelectorWindow()
{
    BeginDeveloperWindow("Particle File Selector", developer_layout::kParticleFiles);
    ImGui::PushItemWidth(-1);
    if (ImGui::Button("Update List"))
        ListJsonFiles();
    ImGui::ListBox("##files", &gSelectedFile, StringListItemGetter, &gFileNames, static_cast<int>(gFileNames.size()),
                   10);
    if (ImGui::Button("Target This File") && IsInside(gSelectedFile, gFileNames))
        CopyBounded(gTargetFile, gFileNames[static_cast<std::size_t>(gSelectedFile)]);
    ImGui::PopItemWidth();
    ImGui::End();
}

} // namespace

namespace fb {

void ParticleState::Init()
{
    ListJsonFiles();
}

void ParticleState::Update()
{
    const bool play = DrawParticleSystemWindow();

    BeginDeveloperWindow("File Control", developer_layout::kFileControl);
    PushFieldWidthBeside("Target File");
    ImGui::InputText("Target File", gTargetFile, kFileTextSize);
    ImGui::PopItemWidth();
    const bool load = ImGui::Button("LOAD FROM THIS FILE");
    const bool save = ImGui::Button("EXPORT TO THIS FILE");
    gFileStatus.Draw();
    ImGui::End();

    DrawEmitterWindow();

    const std::string target = std::string(kFolder) + gTargetFile;
    if (load && Guarded([&] { LoadFile(target); }))
        gFileStatus.Show(std::string("loaded ") + gTargetFile);
    if (save && !IsExportName(gTargetFile))
        gFileStatus.Show("json NOT saved: the target must be a plain file name ending in .json", 6.0f);
    else if (save && Guarded([&] { SaveFile(target); }, "json NOT saved: "))
        gFileStatus.Show(std::string("exported ") + gTargetFile);
    if (play)
        Play();

    DrawFileSelectorWindow();
}

void ParticleState::Exit()
{
    EntityManager::Clear();
}

void ParticleState::Load()
{
    Guarded([] { LoadFile(std::string(kFolder) + kSessionFile); });
    CamManager::SetActiveCamera(std::make_shared<CamManager::Camera>());
}

void ParticleState::Unload()
{
    Guarded([] { SaveFile(kSessionFile); });
}

void ParticleState::SaveFile(const std::string& path)
{
    std::string error;
    if (!SaveJsonFile(path, ParticleSettingsDocument(gSettings), fb::JsonLayout::Indented, error))
        throw std::runtime_error("Could not load file: " + path + ": " + error);
    KeptFiles::Forget(path);
}

void ParticleState::LoadFile(const std::string& path)
{
    rapidjson::Document document;
    std::string error;
    const JsonFileStatus status = ReadJsonFile(path, document, error);
    if (status != JsonFileStatus::Read)
        throw std::runtime_error(error);
    if (!document.IsObject())
        throw std::runtime_error("Json error in LoadFile (ParticleMaker): " + path + " does not hold an object");

    ParticleFileScope scope(path);
    ParticleSettings settings = gSettings;
    const bool hasEmitter = ReadParticleSettings(document, settings);
    std::shared_ptr<cmp::Component> system = ComponentFactory::Create("ParticleSystem", document);
    if (!system)
        throw std::runtime_error(path + " makes no particle system");

    auto entity = std::make_shared<Entity>("ParticleMaker's Particle Entity");
    entity->AddComponent(system);
    if (hasEmitter) {
        std::shared_ptr<ParticleEmitter> emitter = MakeEmitter(settings);
        // Absorbing and square emitters are kept under their own types.
        if (auto absorb = std::dynamic_pointer_cast<AbsorbEmitter>(emitter))
            entity->AddComponent<AbsorbEmitter>(absorb);
        else if (auto square = std::dynamic_pointer_cast<SquareEmitter>(emitter))
            entity->AddComponent<SquareEmitter>(square);
        else
            entity->AddComponent<ParticleEmitter>(emitter);
    }
    entity->AddComponent<cmp::Transform>(std::make_shared<cmp::Transform>());
    ShowEffect(std::move(entity));
    gSettings = settings;
    ListJsonFiles();
}

} // namespace fb
