#include "EditorSession.h"

#include "core/EntityManager.h"
#include "core/Game.h"
#include "core/StateManager.h"
#include "support/GameFrames.h"
#include "core/Window.h"
#include "render/Renderer.h"

void EditorSession::IntroStandIn::Exit()
{
    EntityManager::Clear();
}

void EditorSession::SetUp()
{
    folder = std::make_unique<ScratchGameFolder>();
    BeforeStart();
    oldSink = SetTraceSink([this](const std::string& message, int) { traces.push_back(message); });
    introName.emplace("IntroState", intro);
    StartGameOnFrameClock();
    // Bloom only slows the software renderer down here.
    Renderer::SetBloomDisabled(true);
    ASSERT_TRUE(keyboard.Attach(GetWindow()->GetSDLWindow()));
    input.Install();
    Frames(1);
}

void EditorSession::TearDown()
{
    Game::Shutdown();
    introName.reset();
    SetTraceSink(oldSink);
    folder.reset();
}

void EditorSession::Frames(int count)
{
    for (int i = 0; i < count; ++i)
        Game::Frame();
}

::testing::AssertionResult EditorSession::FramesUntilShown(const std::string& text, int most)
{
    for (int frame = 0; frame < most; ++frame) {
        if (input.ShowsText(text))
            return ::testing::AssertionSuccess();
        Frames(1);
    }
    if (input.ShowsText(text))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "\"" << text << "\" was not shown within " << most << " frames";
}

void EditorSession::Chord(SDL_Scancode first, SDL_Scancode second)
{
    keyboard.Press(first);
    keyboard.Press(second);
    Frames(1);
    keyboard.Release(second);
    keyboard.Release(first);
}

void EditorSession::OpenDebugWindows()
{
    if (!ImGuiInput::Shown("Editor Options")) {
        Chord(SDL_SCANCODE_LSHIFT, SDL_SCANCODE_COMMA);
        Frames(2);
    }
    ASSERT_TRUE(ImGuiInput::Shown("Editor Options"));
    if (!ImGuiInput::Shown("Entity Selector")) {
        ASSERT_TRUE(input.Click("Editor Options", "Debug/Edit menu"));
    }
    // New windows take a few frames to size themselves to what they hold.
    Frames(3);
    ASSERT_TRUE(ImGuiInput::Shown("Entity Selector"));
}

std::shared_ptr<fb::Entity> EditorSession::FindEntity(const std::string& name) const
{
    for (const auto& entity : EntityManager::GetEntities()) {
        if (entity->GetName() == name)
            return entity;
    }
    return nullptr;
}

bool EditorSession::Traced(const std::string& text) const
{
    for (const std::string& message : traces) {
        if (message.find(text) != std::string::npos)
            return true;
    }
    return false;
}
