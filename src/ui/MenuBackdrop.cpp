#include "ui/MenuBackdrop.h"

#include "render/Renderer.h"

void SetMenuBackdrop()
{
    Renderer::SetBackground(Texture("./assets/img/Background.png"));
}
