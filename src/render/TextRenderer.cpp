#include "render/TextRenderer.h"

#include "core/Window.h"
#include "render/CamManager.h"
#include "render/GLSupport.h"

#include <GL/glew.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <cmath>
#include <iostream>
#include <map>
#include <stdexcept>
#include <vector>

namespace {

constexpr const char* kFontFile = "assets/TitilliumWeb-Black.ttf";
constexpr int kGlyphPixels = 48;

constexpr const char* kVertexSource = R"(#version 330 core
layout(location = 0) in vec4 vertex;
out vec2 TexCoords;
uniform mat4 projection;
void main()
{
    gl_Position = projection * vec4(vertex.xy, 0.0, 1.0);
    TexCoords = vertex.zw;
}
)";

// The glyph texture holds coverage in its red channel.
constexpr const char* kFragmentSource = R"(#version 330 core
in vec2 TexCoords;
out vec4 color;
uniform sampler2D text;
uniform vec3 textColor;
void main()
{
    color = vec4(textColor, 1.0) * vec4(1.0, 1.0, 1.0, texture(text, TexCoords).r);
}
)";

struct Glyph {
    unsigned texture = 0;
    glm::ivec2 size{0, 0};
    glm::ivec2 bearing{0, 0};
    // In 1/64 pixel.
    unsigned advance = 0;
};

struct TextItem {
    std::string text;
    float x;
    float y;
    float scale;
    glm::vec3 colour;
    bool centred;
};

std::map<char, Glyph> gGlyphs;
std::vector<TextItem> gQueue;
GLuint gProgram = 0;
GLuint gVertexArray = 0;
GLuint gVertexBuffer = 0;

glm::mat4 Projection()
{
    const auto [width, height] = GetWindowSize();
    return glm::ortho(0.0f, static_cast<float>(width), 0.0f, static_cast<float>(height));
}

// A code without a glyph draws nothing and does not advance.
const Glyph& GlyphOf(char code)
{
    static const Glyph kEmpty;
    auto found = gGlyphs.find(code);
    return found != gGlyphs.end() ? found->second : kEmpty;
}

float Advance(const Glyph& glyph, float scale)
{
    return static_cast<float>(glyph.advance >> 6) * scale;
}

GLuint BuildProgram()
{
    const GLuint vertex = glCreateShader(GL_VERTEX_SHADER);
    CompileShader(vertex, kVertexSource);
    const bool vertexOk = TextRenderer::CheckCompileErrors(vertex, "VERTEX");
    const GLuint fragment = glCreateShader(GL_FRAGMENT_SHADER);
    CompileShader(fragment, kFragmentSource);
    const bool fragmentOk = TextRenderer::CheckCompileErrors(fragment, "FRAGMENT");
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    LinkProgram(program);
    const bool linked = TextRenderer::CheckCompileErrors(program, "PROGRAM");
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    if (!vertexOk || !fragmentOk || !linked)
        throw std::runtime_error("TextRenderer: the text shaders failed; the shader log is on standard output");
    return program;
}

void MakeGlyphs()
{
    FT_Library library;
    if (FT_Init_FreeType(&library)) {
        std::cout << "ERROR::FREETYPE: Could not init FreeType Library" << std::endl;
        return;
    }
    FT_Face face;
    if (FT_New_Face(library, kFontFile, 0, &face)) {
        std::cout << "ERROR::FREETYPE: Failed to load font" << std::endl;
        FT_Done_FreeType(library);
        return;
    }
    FT_Set_Pixel_Sizes(face, 0, kGlyphPixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int code = 0; code < 128; ++code) {
        if (FT_Load_Char(face, code, FT_LOAD_RENDER)) {
            std::cout << "ERROR::FREETYTPE: Failed to load Glyph" << std::endl;
            continue;
        }
        const FT_GlyphSlot slot = face->glyph;
        GLuint texture = 0;
        glGenTextures(1, &texture);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, slot->bitmap.width, slot->bitmap.rows, 0, GL_RED, GL_UNSIGNED_BYTE,
                     slot->bitmap.buffer);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        Glyph glyph;
        glyph.texture = texture;
        glyph.size = {static_cast<int>(slot->bitmap.width), static_cast<int>(slot->bitmap.rows)};
        glyph.bearing = {slot->bitmap_left, slot->bitmap_top};
        glyph.advance = static_cast<unsigned>(slot->advance.x);
        gGlyphs[static_cast<char>(code)] = glyph;
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

void DrawItem(const TextItem& item)
{
    glUseProgram(gProgram);
    glUniform3f(glGetUniformLocation(gProgram, "textColor"), item.colour.r, item.colour.g, item.colour.b);
    glActiveTexture(GL_TEXTURE0);
    glBindVertexArray(gVertexArray);
    const auto [width, height] = GetWindowSize();
    glViewport(0, 0, width, height);
    glUniformMatrix4fv(glGetUniformLocation(gProgram, "projection"), 1, GL_FALSE, glm::value_ptr(Projection()));

    float x = item.x;
    if (item.centred) {
        float length = 0.0f;
        for (char code : item.text)
            length += Advance(GlyphOf(code), item.scale);
        x -= length / 2.0f;
    }
    glBindBuffer(GL_ARRAY_BUFFER, gVertexBuffer);
    for (char code : item.text) {
        const Glyph& glyph = GlyphOf(code);
        if (glyph.texture) {
            const float left = x + static_cast<float>(glyph.bearing.x) * item.scale;
            const float bottom = item.y - static_cast<float>(glyph.size.y - glyph.bearing.y) * item.scale;
            const float w = static_cast<float>(glyph.size.x) * item.scale;
            const float h = static_cast<float>(glyph.size.y) * item.scale;
            const float vertices[6][4] = {
                {left, bottom + h, 0.0f, 0.0f},    {left, bottom, 0.0f, 1.0f},
                {left + w, bottom, 1.0f, 1.0f},    {left, bottom + h, 0.0f, 0.0f},
                {left + w, bottom, 1.0f, 1.0f},    {left + w, bottom + h, 1.0f, 0.0f},
            };
            glBindTexture(GL_TEXTURE_2D, glyph.texture);
            glBufferSubData(GL_ARRAY_BUFFER, 0, sizeof vertices, vertices);
            glDrawArrays(GL_TRIANGLES, 0, 6);
        }
        x += Advance(glyph, item.scale);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

} // namespace

namespace TextRenderer {

void Initialize()
{
    StartGlew("TextRenderer");
    // Texts queued before this start belong to an earlier run.
    gQueue.clear();
    const auto [width, height] = GetWindowSize();
    glViewport(0, 0, width, height);
    glEnable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    gProgram = BuildProgram();
    glUseProgram(gProgram);
    glUniformMatrix4fv(glGetUniformLocation(gProgram, "projection"), 1, GL_FALSE, glm::value_ptr(Projection()));

    MakeGlyphs();

    glGenVertexArrays(1, &gVertexArray);
    glGenBuffers(1, &gVertexBuffer);
    glBindVertexArray(gVertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, gVertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(float) * 6 * 4, nullptr, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

void AddText(std::string text, float x, float y, float scale, glm::vec3 colour, bool centred)
{
    const auto [width, height] = GetWindowSize();
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    AddTextRaw(std::move(text), w * (x + 1.0f) * 0.5f, h * (y + 1.0f) * 0.5f, w * scale / kGlyphPixels, colour,
               centred);
}

void AddTextRaw(std::string text, float x, float y, float scale, glm::vec3 colour, bool centred)
{
    gQueue.push_back({std::move(text), x, y, scale, colour, centred});
}

void AddTextWorld(std::string text, float x, float y, float scale, glm::vec3 colour, bool centred)
{
    const glm::vec3 ndc = CamManager::GetViewMatrix() * glm::vec3(x, y, 1.0f);
    if (std::abs(ndc.x) > 1.0f || std::abs(ndc.y) > 1.0f)
        return;
    const std::shared_ptr<CamManager::Camera> camera = CamManager::GetActiveCamera();
    // Without a camera the view is the identity: world units are NDC units.
    const float cameraWidth = camera ? camera->GetScale().x : 2.0f;
    if (cameraWidth == 0.0f)
        return;
    AddText(std::move(text), ndc.x, ndc.y, 2.0f * scale / cameraWidth, colour, centred);
}

void Flush()
{
    if (gProgram) {
        for (const TextItem& item : gQueue)
            DrawItem(item);
    }
    gQueue.clear();
}

bool CheckCompileErrors(unsigned object, std::string type)
{
    GLint success = GL_FALSE;
    const bool program = type == "PROGRAM";
    if (program)
        glGetProgramiv(object, GL_LINK_STATUS, &success);
    else
        glGetShaderiv(object, GL_COMPILE_STATUS, &success);
    if (success == GL_TRUE)
        return true;
    std::cout << (program ? "ERROR::PROGRAM_LINKING_ERROR of type: " : "ERROR::SHADER_COMPILATION_ERROR of type: ")
              << type << "\n"
              << InfoLog(object) << "\n -- --------------------------------------------------- -- " << std::endl;
    return false;
}

} // namespace TextRenderer
