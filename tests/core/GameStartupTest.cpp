#include "core/EntityManager.h"
#include "core/EventChannels.h"
#include "core/Game.h"
#include "core/StateManager.h"
#include "core/Window.h"
#include "support/StateStandIn.h"

#include <SDL.h>
#include <stdexcept>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> gLog;

// Notes, from its destructor, what of the game still stands while the entity
// manager shuts down.
class ShutdownWitness : public fb::cmp::Component {
public:
    ~ShutdownWitness() override
    {
        gLog.push_back(std::string("entities released; window ") + (gWindow ? "open" : "gone") + "; video " +
                       (SDL_WasInit(SDL_INIT_VIDEO) ? "up" : "down"));
    }
};

// Stands in for the intro: counts its frames and quits after a few.
class ProbeIntro : public fb::GS {
public:
    void Load() override { gLog.push_back("Load"); }
    void Init() override
    {
        gLog.push_back("Init");
        windowAtInit = GetWindow() != nullptr;
        auto witness = std::make_shared<fb::Entity>("witness");
        witness->AddComponent(std::make_shared<ShutdownWitness>());
        EntityManager::Add(witness);
    }
    void Update() override
    {
        ++frames;
        if (frames == 1) {
            SDL_Window* window = GetWindow()->GetSDLWindow();
            title = SDL_GetWindowTitle(window);
            SDL_GetWindowSize(window, &width, &height);
        }
        if (frames == kFrames)
            StateManager::Quit();
    }

    static constexpr int kFrames = 5;
    int frames = 0;
    bool windowAtInit = false;
    std::string title;
    int width = 0, height = 0;
};

ProbeIntro gIntro;

TEST(GameStartup, RunsFramesUntilQuitAndShutsDownInOrder)
{
    StateStandIn introName("IntroState", gIntro);
    testing::internal::CaptureStdout();
    const int result = RunGame();
    const std::string printed = testing::internal::GetCapturedStdout();

    EXPECT_EQ(result, 0);
    EXPECT_EQ(gIntro.frames, ProbeIntro::kFrames);
    EXPECT_TRUE(gIntro.windowAtInit);
    EXPECT_EQ(gIntro.title, "Vendrabolt");
    SDL_DisplayMode desktop{};
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    SDL_GetDesktopDisplayMode(0, &desktop);
    SDL_Quit();
    EXPECT_EQ(gIntro.width, desktop.w);
    EXPECT_EQ(gIntro.height, desktop.h + 10);

    ASSERT_GE(gLog.size(), 3u);
    EXPECT_EQ(gLog[0], "Load");
    EXPECT_EQ(gLog[1], "Init");
    EXPECT_EQ(gLog[2], "entities released; window open; video up");
    EXPECT_NE(printed.find("EntityManager Exit"), std::string::npos);
    EXPECT_EQ(gWindow, nullptr);
    EXPECT_EQ(GetWindow(), nullptr);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u);
}

class ThrowingIntro : public fb::GS {
public:
    void Update() override { throw std::runtime_error("Could not load file: assets/json/particles/Gone.json"); }
};

TEST(GameStartup, AnExceptionEscapingAFrameIsReportedAndTheGameShutsDown)
{
    ThrowingIntro intro;
    StateStandIn introName("IntroState", intro);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int result = RunGame();
    const std::string printed = testing::internal::GetCapturedStdout();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(result, 0);
    EXPECT_NE(errors.find("Could not load file: assets/json/particles/Gone.json"), std::string::npos);
    EXPECT_NE(printed.find("EntityManager Exit"), std::string::npos);
    EXPECT_EQ(gWindow, nullptr);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_EVERYTHING), 0u);
}

} // namespace
