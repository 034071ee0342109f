#include "ui/MenuQuad.h"

#include "render/Renderer.h"
#include "render/TextureManager.h"

void DrawMenuQuad(Texture& texture, glm::vec2 position, glm::vec2 size, float opacity, int layer)
{
    glm::mat3 model(1.0f);
    model[0][0] = size.x;
    model[1][1] = size.y;
    model[2][0] = position.x;
    model[2][1] = position.y;
    TextureManager::Get(texture);
    Renderer::SetFlipped(false);
    Renderer::SetTexture(texture);
    Renderer::SetTransform(model);
    Renderer::SetOpacity(opacity);
    Renderer::Submit(layer);
}
