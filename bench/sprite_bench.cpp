// The CPU cost of drawing N sprites a frame through the renderer (queueing
// the records and presenting them: the batched sprite pass, the bloom passes
// and the final pass), the share of it that the sprites cost, beside a naive
// loop that draws the same quads with
// one draw call each, uniforms and coordinates uploaded per quad, in the
// game's 1000 by 600 window on this machine's OpenGL. CPU time of the
// calling thread, so that other programs on the machine matter less.
//
// Run from the repository root with a display, e.g.
//   xvfb-run -a -s "-screen 0 1280x720x24" build/bench/sprite_bench

#include "core/Window.h"
#include "render/CamManager.h"
#include "render/GLSupport.h"
#include "render/Renderer.h"
#include "render/TextureManager.h"

#include <GL/glew.h>
#include <SDL.h>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <glm/glm.hpp>
#include <utility>
#include <vector>

namespace {

constexpr int kWarmUpFrames = 3;
constexpr int kFrames = 40;

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

glm::mat3 SpriteModel(int i)
{
    glm::mat3 model(0.05f);
    model[2] = glm::vec3(-1.5f + 3.0f * static_cast<float>(i % 97) / 97.0f,
                         -0.9f + 1.8f * static_cast<float>(i % 89) / 89.0f, 1.0f);
    return model;
}

// What sprites' Updates ask of the renderer, spread over the view.
void QueueSprites(int count, const Texture& texture)
{
    for (int i = 0; i < count; ++i) {
        Renderer::SetFlipped(i % 2 == 0);
        Renderer::SetTransform(SpriteModel(i));
        Renderer::SetOpacity(1.0f);
        Renderer::SetTexture(texture);
        Renderer::Submit(2 + i % 3);
    }
}

// The baseline: one textured quad a draw call, as simply as it can be done.
class NaiveLoop {
public:
    NaiveLoop()
    {
        const char* vertex = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texcoord;
out vec2 Texcoord;
uniform mat3 transform;
void main()
{
    Texcoord = texcoord;
    gl_Position = vec4((transform * position).xy, 0.0, 1.0);
})";
        const char* fragment = R"(#version 330 core
in vec2 Texcoord;
out vec4 FragColor;
uniform sampler2D usamp;
uniform float opacity;
void main()
{
    vec4 color = texture(usamp, Texcoord);
    FragColor = vec4(color.rgb, color.a * opacity);
})";
        const GLuint shaders[] = {glCreateShader(GL_VERTEX_SHADER), glCreateShader(GL_FRAGMENT_SHADER)};
        CompileShader(shaders[0], vertex);
        CompileShader(shaders[1], fragment);
        mProgram = glCreateProgram();
        glAttachShader(mProgram, shaders[0]);
        glAttachShader(mProgram, shaders[1]);
        LinkProgram(mProgram);
        mTransform = glGetUniformLocation(mProgram, "transform");
        mOpacity = glGetUniformLocation(mProgram, "opacity");

        const float corners[] = {-0.5f, -0.5f, 1.0f, 0.5f, -0.5f, 1.0f, -0.5f, 0.5f, 1.0f, 0.5f, 0.5f, 1.0f};
        const GLuint indices[] = {0, 1, 2, 1, 3, 2};
        glGenVertexArrays(1, &mArray);
        glBindVertexArray(mArray);
        GLuint buffers[3];
        glGenBuffers(3, buffers);
        glBindBuffer(GL_ARRAY_BUFFER, buffers[0]);
        glBufferData(GL_ARRAY_BUFFER, sizeof corners, corners, GL_STATIC_DRAW);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
        glEnableVertexAttribArray(0);
        mCoordBuffer = buffers[1];
        glBindBuffer(GL_ARRAY_BUFFER, mCoordBuffer);
        glBufferData(GL_ARRAY_BUFFER, 8 * sizeof(float), nullptr, GL_STATIC_DRAW);
        glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
        glEnableVertexAttribArray(1);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, buffers[2]);
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof indices, indices, GL_STATIC_DRAW);
        glBindVertexArray(0);
    }

    void Draw(int count, GLuint texture)
    {
        const float normal[8] = {0.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f};
        const float mirrored[8] = {1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f};
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glClear(GL_COLOR_BUFFER_BIT);
        glUseProgram(mProgram);
        glBindVertexArray(mArray);
        glBindBuffer(GL_ARRAY_BUFFER, mCoordBuffer);
        glActiveTexture(GL_TEXTURE0);
        for (int i = 0; i < count; ++i) {
            const glm::mat3 transform = CamManager::GetViewMatrix() * SpriteModel(i);
            glUniformMatrix3fv(mTransform, 1, GL_FALSE, &transform[0][0]);
            glUniform1f(mOpacity, 1.0f);
            glBufferData(GL_ARRAY_BUFFER, sizeof normal, i % 2 == 0 ? mirrored : normal, GL_STATIC_DRAW);
            glBindTexture(GL_TEXTURE_2D, texture);
            glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, nullptr);
        }
        glBindVertexArray(0);
    }

private:
    GLuint mProgram = 0;
    GLint mTransform = -1;
    GLint mOpacity = -1;
    GLuint mArray = 0;
    GLuint mCoordBuffer = 0;
};

// The CPU time of a frame of each of `first` and `second`, run in turns so
// that whatever else loads the machine weighs on both alike: the fifth of
// the frames that cost least, at its top. Each frame is followed by a
// finish and a swap that are not counted.
template <typename First, typename Second>
std::pair<double, double> FrameCpu(Window& window, First first, Second second)
{
    std::vector<double> times[2];
    auto run = [&window](auto& draw, std::vector<double>& into, bool counted) {
        const double start = ThreadSeconds();
        draw();
        const double end = ThreadSeconds();
        glFinish();
        window.Update();
        if (counted)
            into.push_back(end - start);
    };
    for (int frame = 0; frame < kWarmUpFrames + kFrames; ++frame) {
        run(first, times[0], frame >= kWarmUpFrames);
        run(second, times[1], frame >= kWarmUpFrames);
    }
    for (std::vector<double>& list : times)
        std::sort(list.begin(), list.end());
    return {times[0][kFrames / 5], times[1][kFrames / 5]};
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
    NaiveLoop naive;

    const auto [width, height] = Renderer::GetFramebufferSize();
    std::printf("OpenGL: %s, %s; framebuffers %d x %d; 20th percentile of %d frames, CPU of this thread\n",
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)), width, height, kFrames);
    std::printf("The sprite path is the renderer's frame less its frame with no sprites (the bloom and final\n"
                "passes); the naive loop draws the quads alone.\n");
    std::printf("%8s %6s %14s %18s %16s %8s\n", "sprites", "bloom", "frame CPU ms", "sprite path CPU ms",
                "naive loop CPU ms", "ratio");
    for (bool bloom : {true, false}) {
        Renderer::SetBloomDisabled(!bloom);
        auto frame = [&texture](int count) {
            return [count, &texture] {
                Renderer::BeginFrame();
                QueueSprites(count, texture);
                Renderer::Present();
            };
        };
        for (int count : {1000, 2000, 4000, 8000, 10000, 16000}) {
            // The frame with no sprites runs in turns with the frame with
            // them, the naive loop in turns with the renderer.
            const auto [whole, fixed] = FrameCpu(window, frame(count), frame(0));
            const auto [again, baseline] =
                FrameCpu(window, frame(count), [count, &texture, &naive] { naive.Draw(count, texture.id); });
            const double renderer = std::min(whole, again);
            const double sprites = std::max(renderer - fixed, 1e-6);
            std::printf("%8d %6s %14.3f %18.3f %16.3f %7.2fx\n", count, bloom ? "on" : "off", renderer * 1e3,
                        sprites * 1e3, baseline * 1e3, baseline / sprites);
        }
    }
    Renderer::Shutdown();
    SDL_Quit();
    return 0;
}
