// The CPU cost of drawing N sprites a frame: queueing their draw records
// (the setters and Submit a sprite's Update makes) and presenting the queue
// (the sprite pass, the bloom passes and the final pass) on this machine's
// OpenGL, in the game's 1000 by 600 window.
//
// Run from the repository root with a display, e.g.
//   xvfb-run -a -s "-screen 0 1280x720x24" build/sprite_bench

#include "core/Window.h"
#include "render/CamManager.h"
#include "render/Renderer.h"
#include "render/TextureManager.h"

#include <GL/glew.h>
#include <SDL.h>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <glm/glm.hpp>

namespace {

constexpr int kWarmUpFrames = 3;
constexpr int kFrames = 20;

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double WallSeconds()
{
    using Clock = std::chrono::steady_clock;
    return std::chrono::duration<double>(Clock::now().time_since_epoch()).count();
}

struct Cost {
    double queueCpu = 0.0;
    double presentCpu = 0.0;
    double presentWall = 0.0;
    double finishWall = 0.0;
};

// What a sprite's Update asks of the renderer, spread over the view.
void QueueSprites(int count, const Texture& texture)
{
    for (int i = 0; i < count; ++i) {
        glm::mat3 model(0.05f);
        model[2] = glm::vec3(-1.5f + 3.0f * static_cast<float>(i % 97) / 97.0f,
                             -0.9f + 1.8f * static_cast<float>(i % 89) / 89.0f, 1.0f);
        Renderer::SetFlipped(i % 2 == 0);
        Renderer::SetTransform(model);
        Renderer::SetOpacity(1.0f);
        Renderer::SetTexture(texture);
        Renderer::Submit(2 + i % 3);
    }
}

Cost Measure(int count, const Texture& texture, Window& window)
{
    Cost total;
    for (int frame = 0; frame < kWarmUpFrames + kFrames; ++frame) {
        const double start = ThreadSeconds();
        Renderer::BeginFrame();
        QueueSprites(count, texture);
        const double queued = ThreadSeconds();
        const double presentStart = WallSeconds();
        Renderer::Present();
        const double presented = ThreadSeconds();
        const double presentEnd = WallSeconds();
        glFinish();
        const double finished = WallSeconds();
        window.Update();
        if (frame >= kWarmUpFrames) {
            total.queueCpu += queued - start;
            total.presentCpu += presented - queued;
            total.presentWall += presentEnd - presentStart;
            total.finishWall += finished - presentEnd;
        }
    }
    total.queueCpu /= kFrames;
    total.presentCpu /= kFrames;
    total.presentWall /= kFrames;
    total.finishWall /= kFrames;
    return total;
}

} // namespace

int main()
{
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "SDL video did not start: %s\n", SDL_GetError());
        return 1;
    }
    Window window("Vendrabolt sprite bench", 1000, 600, 0, 0);
    if (!window.IsValid())
        return 1;
    // Leave the desktop-sized window for the game's 1000 by 600 one.
    SDL_Event key{};
    key.type = SDL_KEYUP;
    key.key.windowID = SDL_GetWindowID(window.GetSDLWindow());
    key.key.keysym.sym = SDLK_F11;
    SDL_PushEvent(&key);
    window.Update();
    Renderer::Initialize();
    CamManager::Update(0.0f);
    const Texture texture = TextureManager::Load("./assets/img/PlayerRed.png");
    Renderer::SetBackground(TextureManager::Load("./assets/img/Green/background.jpg"));

    const auto [width, height] = Renderer::GetFramebufferSize();
    std::printf("OpenGL: %s, %s; framebuffers %d x %d; mean of %d frames\n",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)), width, height, kFrames);
    std::printf("%8s %6s %14s %16s %17s %18s\n", "sprites", "bloom", "queue CPU ms", "present CPU ms",
                "present wall ms", "GL finish wall ms");
    for (bool bloom : {true, false}) {
        Renderer::SetBloomDisabled(!bloom);
        for (int count : {1000, 10000}) {
            const Cost cost = Measure(count, texture, window);
            std::printf("%8d %6s %14.3f %16.3f %17.3f %18.3f\n", count, bloom ? "on" : "off",
                        cost.queueCpu * 1e3, cost.presentCpu * 1e3, cost.presentWall * 1e3, cost.finishWall * 1e3);
        }
    }
    Renderer::Shutdown();
    SDL_Quit();
    return 0;
}
