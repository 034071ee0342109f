#include "core/Game.h"

#include "audio/AudioEngine.h"
#include "audio/SoundBinder.h"
#include "core/EntityManager.h"
#include "core/EventChannels.h"
#include "core/Input.h"
#include "core/Random.h"
#include "core/StateManager.h"
#include "core/Time.h"
#include "core/Window.h"
#include "game/GoalZones.h"
#include "game/SlimeUI.h"
#include "physics/ColliderPool.h"
#include "render/CamManager.h"
#include "render/DebugShapes.h"
#include "render/Renderer.h"
#include "render/TextRenderer.h"
#include "tools/Editor.h"
#include "ui/InputMode.h"

#include <SDL.h>
#include <imgui.h>
#include <imgui_impl_opengl3.h>
#include <imgui_impl_sdl.h>
#include <iostream>
#include <stdexcept>

Window* gWindow = nullptr;
fb::SoundBinder* gSoundBinder = nullptr;

namespace {

constexpr const char* kTitle = "Vendrabolt";
constexpr int kStartWidth = 1000;
constexpr int kStartHeight = 600;

void InitImGui()
{
    IMGUI_CHECKVERSION();
    ImGui::CreateContext();
    ImGui::GetIO().IniFilename = nullptr;
    ImGui_ImplSDL2_InitForOpenGL(gWindow->GetSDLWindow(), gWindow->GetContext());
    ImGui_ImplOpenGL3_Init("#version 130");
}

void ShutdownImGui()
{
    if (!ImGui::GetCurrentContext())
        return;
    ImGui_ImplOpenGL3_Shutdown();
    ImGui_ImplSDL2_Shutdown();
    ImGui::DestroyContext();
}

} // namespace

namespace Game {

void Init()
{
    Time::Init();
    InitBoxColliders();
    EntityManager::Init();
    AudioEngine::Initialize();
    gSoundBinder = new fb::SoundBinder();
    gSoundBinder->LoadFile("CharacterSounds.json");
    gSoundBinder->LoadFile("GameSounds.json");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        throw std::runtime_error(std::string("Could not start SDL video: ") + SDL_GetError());
    gWindow = new Window(kTitle, kStartWidth, kStartHeight, 0, 0);
    if (!gWindow->IsValid())
        throw std::runtime_error(std::string("Could not create the game window: ") + SDL_GetError());
    gWindow->Update();
    InitImGui();
    Renderer::Initialize();
    TextRenderer::Initialize();
    Render::Initialize();
    Input::Init();
    ResetInputMode();
    StateManager::Start("IntroState");
    Random::Seed(0);
    GoalZones::ResetGlobals();
    SlimeUI::Initialize();
    // Every run starts with the developer menu closed and nothing selected.
    gEditor = std::make_shared<fb::edt::Editor>();
    fb::evt::EntitySubject::Get()->Attach(std::weak_ptr<fb::edt::Editor>(gEditor));
}

void Frame()
{
    Time::Update();
    AudioEngine::Update();
    UpdateInputMode();
    Renderer::BeginFrame();
    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    StateManager::Update();
    UpdateWorld();
    PresentFrame();
    gEditor->Update();
    gWindow->Update();
}

void UpdateWorld()
{
    EntityManager::Update();
    Input::Update();
    CamManager::Update(Time::GetScaledDt());
}

void PresentFrame()
{
    Renderer::Present();
    TextRenderer::Flush();
    Render::Flush();
}

void Shutdown()
{
    StateManager::Shutdown();
    Render::Shutdown();
    Renderer::Shutdown();
    EntityManager::Exit();
    delete gSoundBinder;
    gSoundBinder = nullptr;
    AudioEngine::Shutdown();
    ShutdownBoxColliders();
    Input::Shutdown();
    fb::evt::ReleaseSingletons();
    ShutdownImGui();
    delete gWindow;
    gWindow = nullptr;
    SDL_Quit();
}

} // namespace Game

int RunGame()
{
    try {
        Game::Init();
        while (StateManager::IsRunning())
            Game::Frame();
    } catch (const std::exception& error) {
        std::cerr << "Vendrabolt stopped: " << error.what() << '\n';
        StateManager::Quit();
        Game::Shutdown();
        return 1;
    }
    Game::Shutdown();
    return 0;
}

fb::SoundBinder* GetSoundBinder()
{
    return gSoundBinder;
}
