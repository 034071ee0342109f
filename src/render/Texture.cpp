#include "render/Texture.h"

Texture::Texture(const std::string& fileName)
    : name(fileName)
{
}

Texture::Texture(const char* fileName)
    : name(fileName ? fileName : "")
{
}
