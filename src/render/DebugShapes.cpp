#include "render/DebugShapes.h"

#include "core/Window.h"
#include "render/CamManager.h"
#include "render/GLSupport.h"

#include <GL/glew.h>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr const char* kVertexSource = R"(#version 330 core
in vec3 position;
uniform mat3 transform;
void main()
{
    vec3 placed = transform * position;
    gl_Position = vec4(placed.xy, 0.0, 1.0);
}
)";

constexpr const char* kFragmentSource = R"(#version 330 core
out vec4 FragColor;
uniform vec3 color;
void main()
{
    FragColor = vec4(color, 1.0);
}
)";

// Each outline is drawn this many times, one pixel further up and right.
constexpr int kThickness = 10;
constexpr GLsizei kOutlineIndices = 8;

GLuint gProgram = 0;
GLint gPosition = -1;
GLint gTransform = -1;
GLint gColor = -1;
GLuint gVertexArray = 0;
GLuint gVertexBuffer = 0;
GLuint gOutlineBuffer = 0;
GLuint gTriangleBuffer = 0;

glm::mat3 gCurrentTransform(0.5f);
glm::vec3 gCurrentColour(0.0f);
Render::DebugShape gPending;
std::vector<Render::DebugShape> gQueue;

[[noreturn]] void Fail(const std::string& message, GLuint object)
{
    std::cout << message << '\n' << InfoLog(object) << std::endl;
    throw std::runtime_error(message);
}

void BindSquare()
{
    glBindVertexArray(gVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, gVertexBuffer);
    glVertexAttribPointer(gPosition, 3, GL_FLOAT, GL_FALSE, 0, nullptr);
}

void SetUniformMatrix(const glm::mat3& matrix)
{
    glUniformMatrix3fv(gTransform, 1, GL_FALSE, &matrix[0][0]);
}

void DrawItem(const Render::DebugShape& shape)
{
    for (int pass = 0; pass < kThickness; ++pass) {
        glm::mat3 placed = CamManager::GetWorld2NDC() * shape.transform;
        const Window* window = GetWindow();
        const float width = window ? static_cast<float>(window->GetSize().first) : 0.0f;
        if (width > 0.0f) {
            const float offset = 2.0f * static_cast<float>(pass) / width;
            placed[2][0] += offset;
            placed[2][1] += offset;
        }
        SetUniformMatrix(placed);
        if (shape.colour.b != Render::kNoColour)
            glUniform3fv(gColor, 1, &shape.colour[0]);
        glDrawElements(GL_LINES, kOutlineIndices, GL_UNSIGNED_INT, nullptr);
    }
}

} // namespace

namespace Render {

void Initialize()
{
    StartGlew("Debug shapes");
    // Starts as the first time: no shapes queued, none coloured.
    gCurrentTransform = glm::mat3(0.5f);
    gCurrentColour = glm::vec3(0.0f);
    gPending = Render::DebugShape();
    gQueue.clear();
    const GLuint fragment = glCreateShader(GL_FRAGMENT_SHADER);
    if (!CompileShader(fragment, kFragmentSource))
        Fail("Render class constructer frag shader compilation failed!", fragment);
    const GLuint vertex = glCreateShader(GL_VERTEX_SHADER);
    if (!CompileShader(vertex, kVertexSource))
        Fail("Render class constructer vertex shader compilation failed!", vertex);
    const GLuint program = glCreateProgram();
    glAttachShader(program, fragment);
    glAttachShader(program, vertex);
    if (!LinkProgram(program))
        Fail("Render class constructer link failed!", program);
    gProgram = program;

    gPosition = glGetAttribLocation(gProgram, "position");
    gTransform = glGetUniformLocation(gProgram, "transform");
    gColor = glGetUniformLocation(gProgram, "color");

    const float square[] = {-0.5f, -0.5f, 1.0f, 0.5f, -0.5f, 1.0f, 0.5f, 0.5f, 1.0f, -0.5f, 0.5f, 1.0f};
    const GLuint outline[] = {0, 1, 1, 2, 2, 3, 3, 0};
    const GLuint triangle[] = {0, 1, 2};
    glGenVertexArrays(1, &gVertexArray);
    glBindVertexArray(gVertexArray);
    glEnableVertexAttribArray(gPosition);
    glGenBuffers(1, &gVertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, gVertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof square, square, GL_STATIC_DRAW);
    glGenBuffers(1, &gOutlineBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gOutlineBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof outline, outline, GL_STATIC_DRAW);
    glGenBuffers(1, &gTriangleBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gTriangleBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof triangle, triangle, GL_STATIC_DRAW);
    glBindVertexArray(0);
}

void Shutdown()
{
    if (!gProgram)
        return;
    const GLuint buffers[] = {gTriangleBuffer, gOutlineBuffer, gVertexBuffer};
    glDeleteBuffers(3, buffers);
    glDeleteVertexArrays(1, &gVertexArray);
    gTriangleBuffer = gOutlineBuffer = gVertexBuffer = gVertexArray = 0;
    DeleteProgram(gProgram);
    gProgram = 0;
}

void SetTransform(const glm::mat3& transform)
{
    gCurrentTransform = transform;
    gPending.transform = transform;
}

void SetColor(glm::vec3 colour)
{
    gCurrentColour = colour;
    gPending.colour = colour;
}

void DrawShape()
{
    if (gProgram) {
        glUseProgram(gProgram);
        SetUniformMatrix(CamManager::GetViewMatrix() * gCurrentTransform);
        BindSquare();
        glUniform3fv(gColor, 1, &gCurrentColour[0]);
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gOutlineBuffer);
        glBindVertexArray(0);
    }
    gQueue.push_back(gPending);
    gPending.colour.b = kNoColour;
}

void Flush()
{
    if (gProgram) {
        glUseProgram(gProgram);
        BindSquare();
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gOutlineBuffer);
        for (const DebugShape& shape : gQueue)
            DrawItem(shape);
        glBindVertexArray(0);
    }
    gQueue.clear();
}

void Clear()
{
    glClearColor(0.25f, 0.25f, 0.35f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void DrawNow()
{
    if (!gProgram)
        return;
    glUseProgram(gProgram);
    SetUniformMatrix(CamManager::GetViewMatrix() * gCurrentTransform);
    BindSquare();
    glUniform3f(gColor, 0.5f, 0.9f, 0.2f);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gTriangleBuffer);
    glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
}

} // namespace Render
