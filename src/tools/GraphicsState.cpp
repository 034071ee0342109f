#include "tools/GraphicsState.h"

#include "core/EntityManager.h"
#include "core/StateManager.h"
#include "core/Transform.h"
#include "render/AbsorbEmitter.h"
#include "render/CamManager.h"
#include "render/KillClock.h"
#include "render/ParticleSystem.h"
#include "render/Sprite.h"
#include "render/TextRenderer.h"
#include "tools/DeveloperLayout.h"

#include <imgui.h>
#include <string>

namespace {

constexpr float kPi = 3.1415927f;

// Made once and never deleted; held here as well as in the registry.
fb::GraphicsState* const gState = new fb::GraphicsState();
StateManager::Registration gRegistration("GraphicsState", gState);

void AddSample(const std::string& name, const std::string& image, glm::vec2 position, glm::vec2 scale)
{
    auto entity = std::make_shared<fb::Entity>(name);
    entity->AddComponent<Sprite>(std::make_shared<Sprite>(image, 1.0f, 2));
    entity->AddComponent<fb::cmp::Transform>(std::make_shared<fb::cmp::Transform>(position, scale, 0.0f));
    EntityManager::Add(entity);
}

} // namespace

void MakeAbsorbEffect(float size, glm::vec2 position)
{
    auto entity = std::make_shared<fb::Entity>("dummy text");
    entity->AddComponent<KillClock>(std::make_shared<KillClock>(5.0f));
    entity->AddComponent<fb::cmp::Transform>(
        std::make_shared<fb::cmp::Transform>(position, glm::vec2(0.0f, 0.0f), 0.0f));
    entity->AddComponent<ParticleSystem>(std::make_shared<ParticleSystem>(
        Texture("assets/img/WhitePurpleFighterHand.png"), 30, size, 0.02f, 0.0f, 1.57f, 1.57f / 3.0f, 0.0f, 0.0f,
        0.6f, 0.0f, 4.0f, false, true));
    entity->AddComponent<ParticleEmitter>(std::make_shared<AbsorbEmitter>(size * 4.0f, size * 40.0f));
    EntityManager::Add(entity);
}

namespace fb {

void GraphicsState::Init()
{
    CamManager::SetActiveCamera(std::make_shared<CamManager::Camera>());
    AddSample("sample", "assets/img/WhitePurpleRunner.png", {0.0f, 0.0f}, {0.25f, 0.25f});
    AddSample("sample2", "assets/img/BlackPurpleFighterHand.png", {-0.25f, -0.25f}, {0.25f, 0.25f});
    AddSample("sample3", "assets/img/WhitePinkFighter.png", {0.25f, -0.25f}, {0.5f, 0.3f});
}

void GraphicsState::Update()
{
    // The panel keeps its values for the whole run.
    static float rotation = 0.0f;
    static float x = 0.0f;
    static float y = 0.0f;
    static float scale = 2.0f;

    TextRenderer::AddText("Screen-Space Text", -0.95f, -0.95f, 0.08f, {0.9f, 0.4f, 0.1f}, false);
    TextRenderer::AddTextWorld("World-Space Text", 0.25f, 0.25f, 0.04f, {0.1f, 0.8f, 0.4f}, false);

    BeginDeveloperWindow("Rotate", developer_layout::kRotate);
    ImGui::SliderFloat("CameraRotation", &rotation, -kPi, kPi, "%.3f");
    ImGui::SliderFloat("CameraX", &x, -5.0f, 5.0f, "%.3f");
    ImGui::SliderFloat("CameraY", &y, -5.0f, 5.0f, "%.3f");
    ImGui::SliderFloat("CamScale", &scale, 0.5f, 8.0f, "%.3f");
    ImGui::End();

    // Only the width follows the slider; the view stays 2.0 high.
    if (std::shared_ptr<CamManager::Camera> camera = CamManager::GetActiveCamera()) {
        camera->SetRotation(rotation);
        camera->SetPosition({x, y});
        camera->SetScale({scale, 2.0f});
    }

    BeginDeveloperWindow("Buttons!", developer_layout::kGraphicsButtons);
    const bool shake = ImGui::Button("Shake Screen");
    const bool particles = ImGui::Button("Make Particles");
    ImGui::End();
    if (shake)
        CamManager::Shake(0.3f, 0.1f);
    if (particles)
        MakeAbsorbEffect(0.075f, {1.0f, 0.0f});

    // Outside both windows: Dear ImGui puts it in its own "Debug" window.
    PlaceDebugWindow(developer_layout::kGraphicsDebug);
    if (ImGui::Button("Exit To Next State"))
        StateManager::SetNextState("ParticleState");
}

void GraphicsState::Exit()
{
    EntityManager::Clear();
}

} // namespace fb
