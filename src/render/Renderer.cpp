#include "render/Renderer.h"

#include "core/Trace.h"
#include "core/Window.h"
#include "render/CamManager.h"
#include "render/GLSupport.h"
#include "render/RendererShaders.h"
#include "render/SpriteBatch.h"
#include "render/TextureManager.h"

#include <GL/glew.h>
#include <algorithm>
#include <cstring>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace {

// An opacity of this value means that none was set.
constexpr float kNoOpacity = -1.337f;
constexpr int kBlurPasses = 10;

struct DrawRecord {
    float opacity;
    glm::mat3 transform;
    float texCoords[8];
    unsigned texture;
    unsigned char texCoordsSet;
    int bloom;
};

// Corners: bottom-left, bottom-right, top-left, top-right.
constexpr float kNormalCoords[8] = {0.0f, 1.0f, 1.0f, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f};
constexpr float kMirroredCoords[8] = {1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f, 0.0f};

// What a record that leaves a field unset is drawn with: the value of the
// record drawn before it, in this frame or an earlier one.
struct CarriedState {
    float opacity;
    float texCoords[8];
    float bloom;
};

DrawRecord gState{1.0f, glm::mat3(1.0f), {}, 0, 0, 0};
// The records of each layer in submission order. Layers keep their lists
// from frame to frame, so that queueing allocates nothing once warm.
std::map<int, std::vector<DrawRecord>> gQueue;
std::vector<DrawRecord>* gLastLayerRecords = nullptr;
int gLastLayer = 0;
CarriedState gCarried;
SpriteBatch gBatch;
bool gBatching = true;
Texture gBackground("invalid texture");
bool gBloomDisabled = false;

GLuint gSpriteProgram = 0;

GLuint gBlurProgram = 0;
GLint gHorizontal = -1;
GLuint gCombineProgram = 0;
GLint gCombineBloom = -1;

GLuint gScreenArray = 0;
GLuint gScreenBuffer = 0;
GLuint gSpareTexture = 0;

GLuint gSceneFramebuffer = 0;
GLuint gSceneTextures[2] = {};
GLuint gPingPongFramebuffers[2] = {};
GLuint gPingPongTextures[2] = {};
// The framebuffers' size, and the window's, which the final pass fills.
int gWidth = 0;
int gHeight = 0;
int gWindowWidth = 0;
int gWindowHeight = 0;

[[noreturn]] void ShaderFailure(const char* what, const char* program, GLuint object)
{
    std::cout << what << " (" << program << " program)\n" << InfoLog(object) << std::endl;
    throw std::runtime_error(std::string("Renderer: ") + what + " in the " + program +
                             " program; the shader log is on standard output");
}

GLuint BuildProgram(const char* name, const char* vertexSource, const char* fragmentSource)
{
    const GLuint fragment = glCreateShader(GL_FRAGMENT_SHADER);
    if (!CompileShader(fragment, fragmentSource))
        ShaderFailure("FRAG SHADER FAILURE", name, fragment);
    const GLuint vertex = glCreateShader(GL_VERTEX_SHADER);
    if (!CompileShader(vertex, vertexSource))
        ShaderFailure("VERT SHADER FAILURE", name, vertex);
    const GLuint program = glCreateProgram();
    glAttachShader(program, fragment);
    glAttachShader(program, vertex);
    if (!LinkProgram(program))
        ShaderFailure("SHADER LINK FAILURE", name, program);
    return program;
}

void MakeColourTexture(GLuint& texture, int width, int height)
{
    if (texture)
        glDeleteTextures(1, &texture);
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

// The largest framebuffer the driver can make and draw into, across and
// down: no side beyond its largest texture, renderbuffer or viewport.
std::pair<int, int> LargestFramebuffer()
{
    GLint texture = 0;
    GLint renderbuffer = 0;
    GLint viewport[2] = {};
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    const int side = std::min(texture, renderbuffer);
    return {std::max(1, std::min<int>(side, viewport[0])), std::max(1, std::min<int>(side, viewport[1]))};
}

// A window larger than the driver allows gets the largest framebuffers it
// can have; the final pass stretches their picture over the window.
void MakeFramebufferTextures(int width, int height)
{
    gWindowWidth = std::max(width, 1);
    gWindowHeight = std::max(height, 1);
    const auto [largestWidth, largestHeight] = LargestFramebuffer();
    gWidth = std::min(gWindowWidth, largestWidth);
    gHeight = std::min(gWindowHeight, largestHeight);
    if (gWidth != gWindowWidth || gHeight != gWindowHeight)
        Trace("Renderer: the window (" + std::to_string(width) + " by " + std::to_string(height) +
                  ") is larger than the graphics driver can draw; the picture is drawn at " +
                  std::to_string(gWidth) + " by " + std::to_string(gHeight) + " and stretched",
              3);
    glBindFramebuffer(GL_FRAMEBUFFER, gSceneFramebuffer);
    for (int i = 0; i < 2; ++i) {
        MakeColourTexture(gSceneTextures[i], gWidth, gHeight);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + i, GL_TEXTURE_2D, gSceneTextures[i], 0);
    }
    for (int i = 0; i < 2; ++i) {
        glBindFramebuffer(GL_FRAMEBUFFER, gPingPongFramebuffers[i]);
        MakeColourTexture(gPingPongTextures[i], gWidth, gHeight);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, gPingPongTextures[i], 0);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void EmptyQueue()
{
    for (auto& [layer, records] : gQueue)
        records.clear();
}

void Enqueue(int layer, const DrawRecord& record)
{
    if (!gLastLayerRecords || layer != gLastLayer) {
        gLastLayerRecords = &gQueue[layer];
        gLastLayer = layer;
    }
    gLastLayerRecords->push_back(record);
}

void DrawScreenQuad()
{
    if (!gScreenArray) {
        const float vertices[] = {
            -1.0f, 1.0f, 0.0f, 0.0f, 1.0f, -1.0f, -1.0f, 0.0f, 0.0f, 0.0f,
            1.0f, 1.0f, 0.0f, 1.0f, 1.0f, 1.0f, -1.0f, 0.0f, 1.0f, 0.0f,
        };
        glGenVertexArrays(1, &gScreenArray);
        glGenBuffers(1, &gScreenBuffer);
        glBindVertexArray(gScreenArray);
        glBindBuffer(GL_ARRAY_BUFFER, gScreenBuffer);
        glBufferData(GL_ARRAY_BUFFER, sizeof vertices, vertices, GL_STATIC_DRAW);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 5 * sizeof(float), nullptr);
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, 5 * sizeof(float),
                              reinterpret_cast<void*>(3 * sizeof(float)));
    }
    glBindVertexArray(gScreenArray);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glBindVertexArray(0);
}

// Fills the sprite batch with the queue in drawing order (ascending layer,
// then submission order), each record complete with the fields it takes
// from the record before.
void FillBatch()
{
    gBatch.Clear();
    GLuint texture = gSpareTexture;
    SpriteBatch::Quad quad{};
    for (const auto& [layer, records] : gQueue) {
        for (const DrawRecord& record : records) {
            if (record.opacity != kNoOpacity)
                gCarried.opacity = record.opacity;
            if (record.texCoordsSet)
                std::memcpy(gCarried.texCoords, record.texCoords, sizeof gCarried.texCoords);
            if (record.bloom != 0)
                gCarried.bloom = record.bloom > 0 ? 1.0f : 0.0f;
            if (record.texture)
                texture = record.texture;
            std::memcpy(quad.transform, &record.transform[0][0], sizeof quad.transform);
            std::memcpy(quad.texCoords, gCarried.texCoords, sizeof quad.texCoords);
            quad.opacity = gCarried.opacity;
            quad.bloom = gCarried.bloom;
            gBatch.Add(texture, quad);
        }
    }
}

void DrawQueue()
{
    glUseProgram(gSpriteProgram);
    glBindFramebuffer(GL_FRAMEBUFFER, gSceneFramebuffer);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, gSpareTexture);
    glViewport(0, 0, gWidth, gHeight);
    FillBatch();
    gBatch.Draw(gBatching);
}

void Combine(GLuint bloomTexture)
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, gWindowWidth, gWindowHeight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glUseProgram(gCombineProgram);
    glUniform1i(gCombineBloom, bloomTexture ? 1 : 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, gSceneTextures[0]);
    if (bloomTexture) {
        glActiveTexture(GL_TEXTURE1);
        glBindTexture(GL_TEXTURE_2D, bloomTexture);
    }
    DrawScreenQuad();
}

// Blurs the bright part of the scene back and forth between the ping-pong
// framebuffers; returns the texture written last.
GLuint BlurBrightPart()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glUseProgram(gBlurProgram);
    bool horizontal = true;
    bool first = true;
    for (int pass = 0; pass < kBlurPasses; ++pass) {
        glBindFramebuffer(GL_FRAMEBUFFER, gPingPongFramebuffers[horizontal]);
        glUniform1f(gHorizontal, horizontal ? 1.0f : 0.0f);
        glBindTexture(GL_TEXTURE_2D, first ? gSceneTextures[1] : gPingPongTextures[!horizontal]);
        DrawScreenQuad();
        horizontal = !horizontal;
        first = false;
    }
    return gPingPongTextures[!horizontal];
}

void ClearFramebuffer(GLuint framebuffer)
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// As before the first start: nothing queued, the default background, bloom
// and batching on, and no OpenGL names (those of an earlier context would
// stand for other objects in this one).
void StartAfresh()
{
    EmptyQueue();
    gBackground = Texture("invalid texture");
    gBloomDisabled = false;
    gBatching = true;
    gSpriteProgram = gBlurProgram = gCombineProgram = 0;
    gSceneFramebuffer = 0;
    gPingPongFramebuffers[0] = gPingPongFramebuffers[1] = 0;
    gSceneTextures[0] = gSceneTextures[1] = 0;
    gPingPongTextures[0] = gPingPongTextures[1] = 0;
    gSpareTexture = gScreenBuffer = gScreenArray = 0;
}

} // namespace

namespace Renderer {

void Initialize()
{
    StartGlew("Renderer");
    StartAfresh();

    gSpriteProgram = BuildProgram("sprite", RendererShaders::kSpriteVertex, RendererShaders::kSpriteFragment);
    glUseProgram(gSpriteProgram);
    gCarried.opacity = 1.0f;
    std::memcpy(gCarried.texCoords, kNormalCoords, sizeof kNormalCoords);
    gCarried.bloom = 0.0f;

    gState.bloom = -1;
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glGenTextures(1, &gSpareTexture);
    glBindTexture(GL_TEXTURE_2D, gSpareTexture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);

    gBatch.Initialize();
    gState.opacity = 1.0f;

    glGenFramebuffers(1, &gSceneFramebuffer);
    glGenFramebuffers(2, gPingPongFramebuffers);
    const auto [width, height] = GetWindowSize();
    MakeFramebufferTextures(width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, gSceneFramebuffer);
    const GLenum attachments[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, attachments);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    gBlurProgram = BuildProgram("blur", RendererShaders::kScreenVertex, RendererShaders::kBlurFragment);
    gHorizontal = glGetUniformLocation(gBlurProgram, "horizontal");

    gCombineProgram = BuildProgram("combine", RendererShaders::kScreenVertex, RendererShaders::kCombineFragment);
    glUseProgram(gCombineProgram);
    glUniform1i(glGetUniformLocation(gCombineProgram, "scene"), 0);
    glUniform1i(glGetUniformLocation(gCombineProgram, "bloomBlur"), 1);
    gCombineBloom = glGetUniformLocation(gCombineProgram, "bloom");
    glUniform1i(gCombineBloom, 1);
    glUniform1f(glGetUniformLocation(gCombineProgram, "exposure"), 1.0f);

    gState.transform = CamManager::GetViewMatrix();
    std::memcpy(gState.texCoords, kNormalCoords, sizeof kNormalCoords);
    gState.texCoordsSet = 1;
}

void Shutdown()
{
    if (gSpriteProgram) {
        gBatch.Shutdown();
        glUseProgram(0);
        for (GLuint program : {gSpriteProgram, gBlurProgram, gCombineProgram})
            DeleteProgram(program);
        glDeleteFramebuffers(1, &gSceneFramebuffer);
        glDeleteFramebuffers(2, gPingPongFramebuffers);
        glDeleteTextures(2, gSceneTextures);
        glDeleteTextures(2, gPingPongTextures);
        glDeleteTextures(1, &gSpareTexture);
        glDeleteBuffers(1, &gScreenBuffer);
        glDeleteVertexArrays(1, &gScreenArray);
    }
    StartAfresh();
}

void CreateFramebuffers(int width, int height)
{
    if (!gSpriteProgram)
        return;
    MakeFramebufferTextures(width, height);
}

std::pair<int, int> GetFramebufferSize()
{
    return {gWidth, gHeight};
}

void BeginFrame()
{
    EmptyQueue();
    if (!TextureManager::IsLoaded(gBackground)) {
        TextureManager::Get(gBackground);
        gState.bloom = 1;
        return;
    }
    std::memcpy(gState.texCoords, kNormalCoords, sizeof kNormalCoords);
    gState.texCoordsSet = 1;
    // Covers the whole screen whatever the camera does.
    glm::mat3 fullScreen(1.0f);
    fullScreen[0][0] = 2.0f;
    fullScreen[1][1] = 2.0f;
    gState.transform = CamManager::GetViewMatrix() * (CamManager::GetInverseViewMatrix() * fullScreen);
    gState.opacity = 1.0f;
    gState.texture = gBackground.id;
    Enqueue(0, gState);
    gState.texture = 0;
    gState.opacity = kNoOpacity;
    gState.texCoordsSet = 0;
    gState.bloom = 1;
}

void Present()
{
    if (!gSpriteProgram)
        return;
    DrawQueue();
    if (gBloomDisabled)
        Combine(0);
    else
        Combine(BlurBrightPart());
    gState.bloom = -1;
}

void SetOpacity(float opacity)
{
    gState.opacity = opacity;
}

void SetTexture(const Texture& texture)
{
    gState.texture = texture.id;
}

void SetTextureId(unsigned id)
{
    gState.texture = id;
}

void SetFlipped(bool flipped)
{
    std::memcpy(gState.texCoords, flipped ? kMirroredCoords : kNormalCoords, sizeof gState.texCoords);
    gState.texCoordsSet = 1;
}

void SetTexCoords(const float* corners)
{
    if (corners)
        std::memcpy(gState.texCoords, corners, sizeof gState.texCoords);
    else
        std::memset(gState.texCoords, 0, sizeof gState.texCoords);
    gState.texCoordsSet = 1;
}

std::vector<QueuedQuad> GetQueuedQuads()
{
    std::vector<QueuedQuad> quads;
    for (const auto& [layer, records] : gQueue) {
        for (const DrawRecord& record : records) {
            const float opacity = record.opacity == kNoOpacity ? -1.0f : record.opacity;
            quads.push_back({layer, record.texture, record.transform, opacity});
        }
    }
    return quads;
}

void SetBloom(bool bloom)
{
    gState.bloom = bloom ? 1 : -1;
}

void SetTransform(const glm::mat3& model)
{
    gState.transform = CamManager::GetViewMatrix() * model;
}

void SetTransformFromMatrix(const glm::mat3& model)
{
    gState.transform = CamManager::GetWorld2NDC() * model;
}

void SetTransformFromValues(const glm::mat3& rows)
{
    SetTransform(glm::transpose(rows));
}

void Submit(int layer)
{
    Enqueue(layer, gState);
    gState.opacity = kNoOpacity;
    gState.texture = 0;
    gState.texCoordsSet = 0;
    gState.bloom = 0;
}

void SetBackground(const Texture& texture)
{
    gBackground = texture;
    TextureManager::Get(gBackground);
}

void SetBloomDisabled(bool disabled)
{
    gBloomDisabled = disabled;
    if (gSpriteProgram) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        ClearFramebuffer(0);
        ClearFramebuffer(gPingPongFramebuffers[0]);
        ClearFramebuffer(gPingPongFramebuffers[1]);
        ClearFramebuffer(gSceneFramebuffer);
    }
    EmptyQueue();
}

void SetBatching(bool batching)
{
    gBatching = batching;
}

void Clear(float r, float g, float b)
{
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearDepth(1.0);
    glClear(GL_DEPTH_BUFFER_BIT);
}

} // namespace Renderer
