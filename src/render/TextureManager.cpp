#include "render/TextureManager.h"

#include "core/Trace.h"

#include <GL/glew.h>
#include <SOIL/SOIL.h>
#include <cstdlib>
#include <filesystem>
#include <unordered_map>

namespace {

struct CacheEntry {
    int uses;
    unsigned id;
};

// By file name; emptied only when the context ends.
std::unordered_map<std::string, CacheEntry>& Cache()
{
    static std::unordered_map<std::string, CacheEntry> cache;
    return cache;
}

unsigned gContext = 0;

// Shown in place of an image that could not be read: sharp even when stretched.
const unsigned char kPlaceholder[2 * 2 * 4] = {
    255, 0, 255, 255, 25, 25, 25, 255,
    25, 25, 25, 255, 255, 0, 255, 255,
};

void SetSampling(GLint filter)
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
}

unsigned Upload(const std::string& name)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    // Only a plain file is read: a device or a pipe could block or never end.
    std::error_code failure;
    const bool file = std::filesystem::is_regular_file(name, failure);
    unsigned char* pixels =
        file ? SOIL_load_image(name.c_str(), &width, &height, &channels, SOIL_LOAD_RGBA) : nullptr;

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const std::string result = !file ? "not a file" : SOIL_last_result() ? SOIL_last_result() : "";
    if (pixels) {
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
        SetSampling(GL_LINEAR);
        SOIL_free_image_data(pixels);
    } else {
        Trace("Could not read image \"" + name + "\" (" + result + "); drawing the missing-texture checker", 3);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, kPlaceholder);
        SetSampling(GL_NEAREST);
    }
    Trace("Message from SOIL: " + result, 0);
    return texture;
}

} // namespace

namespace TextureManager {

Texture Load(std::string name)
{
    Texture texture(name);
    LoadFromFile(std::move(name), &texture.id);
    return texture;
}

bool IsLoaded(const Texture& texture)
{
    return texture.id != 0 && texture.context == gContext;
}

void Get(Texture& texture)
{
    if (IsLoaded(texture))
        return;
    LoadFromFile(texture.name, &texture.id);
    texture.context = gContext;
}

void Refresh(Texture& texture)
{
    if (texture.id != 0)
        Get(texture);
}

void LoadFromFile(std::string name, unsigned* id)
{
    auto found = Cache().find(name);
    if (found != Cache().end()) {
        ++found->second.uses;
        *id = found->second.id;
        return;
    }
    const unsigned texture = Upload(name);
    Cache().emplace(std::move(name), CacheEntry{1, texture});
    *id = texture;
}

std::string NameOf(unsigned id)
{
    for (const auto& [name, entry] : Cache()) {
        if (entry.id == id)
            return name;
    }
    return {};
}

void Forget()
{
    Cache().clear();
    ++gContext;
}

unsigned Context()
{
    return gContext;
}

} // namespace TextureManager
