#include "ui/MenuCursor.h"

#include "core/Mouse.h"
#include "core/Window.h"
#include "render/CamManager.h"
#include "render/Sprite.h"
#include "render/SquishNStretch.h"
#include "ui/InputMode.h"

namespace {

constexpr int kCursorLayer = 5;

} // namespace

void MenuCursor::Build(float size)
{
    mEntity = std::make_shared<fb::Entity>("Cursor");
    mEntity->AddComponent(std::make_shared<Sprite>("./assets/img/cursor.png", 1.0f, kCursorLayer));
    mEntity->AddComponent(std::make_shared<SquishNStretch>(6.0f, 0.1f));
    mTransform = std::make_shared<fb::cmp::Transform>(glm::vec2(0.0f), glm::vec2(size), 0.0f);
    mEntity->AddComponent(mTransform);
}

void MenuCursor::Place(glm::vec2 offset)
{
    if (!mTransform)
        return;
    if (!IsMouseMode()) {
        Park();
        return;
    }
    // Under a following camera the screen-fixed layer is scaled; the cursor
    // is placed in that layer's units so that it is drawn at the mouse.
    const float scale = Sprite::ScreenTransform()[0][0];
    const glm::vec2 point = scale != 0.0f ? MousePoint() / scale : MousePoint();
    mTransform->SetPosition(point + offset);
}

void MenuCursor::Park()
{
    if (mTransform)
        mTransform->SetPosition(kParked);
}

void MenuCursor::Update()
{
    if (mEntity)
        mEntity->Update();
}

glm::vec2 MenuCursor::GetPosition() const
{
    return mTransform ? mTransform->GetLocalPosition() : kParked;
}

glm::vec2 MenuCursor::MousePoint()
{
    const Mouse::State mouse = Mouse::Read();
    const auto [width, height] = GetWindowSize();
    if (width <= 0 || height <= 0)
        return glm::vec2(0.0f);
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const glm::vec3 ndc((static_cast<float>(mouse.x) - 0.5f * w) / w, (static_cast<float>(mouse.y) - 0.5f * h) / h,
                        1.0f);
    const glm::vec3 world = CamManager::GetNDC2World() * ndc;
    return {2.0f * world.x, -2.0f * world.y};
}
