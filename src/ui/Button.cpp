#include "ui/Button.h"

#include "core/Controller.h"
#include "core/Entity.h"
#include "core/EventChannels.h"
#include "core/Input.h"
#include "core/Mouse.h"
#include "core/Time.h"
#include "core/Window.h"
#include "render/CamManager.h"
#include "render/DebugShapes.h"
#include "render/Sprite.h"
#include "ui/InputMode.h"

#include <cmath>

namespace {

constexpr int kScreenLayer = 5;
constexpr int kPadA = 0;
constexpr int kPadLeft = 4;
constexpr int kPadRight = 5;
constexpr int kPadUp = 6;
constexpr int kPadDown = 7;
constexpr float kPressedOutlineGrowth = 1.02f;

void SendGameEvent(std::uint32_t type)
{
    fb::evt::GameEventSubject::Get()->Notify(fb::evt::GameEvent(nullptr, type));
}

bool Within(float value, float low, float high)
{
    return low <= value && value <= high;
}

} // namespace

void Button::Init()
{
    if (std::shared_ptr<fb::Entity> owner = GetOwner().lock())
        mTransform = owner->GetComponent<fb::cmp::Transform>();
}

void Button::OnComponentAdded(std::weak_ptr<fb::cmp::Component> added)
{
    if (auto transform = std::dynamic_pointer_cast<fb::cmp::Transform>(added.lock()))
        mTransform = std::move(transform);
}

void Button::Update()
{
    if (!mActive)
        return;
    const Controller* pad = Input::FirstConnected();
    if (pad && ControllerModeFlag)
        HandlePadInput(*pad);
    else
        HandleMouseInput();

    if (!mSelected) {
        SetOpacity(1.0f);
    } else {
        Render::SetColor({1.0f, 1.0f, 1.0f});
        Render::SetTransform(OutlineMatrix());
        Render::DrawShape();
        SetOpacity(0.625f + 0.375f * std::sin(8.0f * mPulseTime));
        mPulseTime += Time::GetDt();
    }
    if (mPressed) {
        glm::mat3 outline = OutlineMatrix();
        outline[0][0] *= kPressedOutlineGrowth;
        outline[1][1] *= kPressedOutlineGrowth;
        Render::SetColor({1.0f, 0.0f, 0.0f});
        Render::SetTransform(outline);
        Render::DrawShape();
    }
}

Button* Button::Clone()
{
    return new Button(*this);
}

void Button::HandlePadInput(const Controller& pad)
{
    if (!mJustSelected) {
        struct Move {
            int dpadButton;
            int stickDirection;
            Button* neighbour;
            bool hover;
        };
        const Move moves[] = {{kPadLeft, Direction::Left, left, false},
                              {kPadRight, Direction::Right, right, true},
                              {kPadUp, Direction::Up, up, true},
                              {kPadDown, Direction::Down, down, true}};
        for (const Move& move : moves) {
            const bool fired = pad.JustPressed(move.dpadButton) ||
                               (MenuNavDirectionChanged && MenuNavDirection == move.stickDirection);
            if (!fired || !mSelected || !move.neighbour || !move.neighbour->mActive)
                continue;
            if (move.hover)
                SendGameEvent(fb::evt::GameEventType::MenuHover);
            move.neighbour->mSelected = true;
            move.neighbour->mJustSelected = true;
            mSelected = false;
            MenuNavDirectionChanged = false;
        }
    }
    if (mSelected && pad.JustPressed(kPadA)) {
        mPressed = true;
        SendGameEvent(fb::evt::GameEventType::MenuHover);
    }
    if (mPressed && !pad.JustPressed(kPadA)) {
        mPressed = false;
        mJustSelected = false;
        return;
    }
    mJustSelected = false;
}

void Button::HandleMouseInput()
{
    const Mouse::State mouse = Mouse::Read();
    const bool leftDown = mouse.leftDown;
    const auto [width, height] = GetWindowSize();
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float nx = w > 0.0f ? (static_cast<float>(mouse.x) - w * 0.5f) / w : 0.0f;
    const float ny = h > 0.0f ? (static_cast<float>(mouse.y) - h * 0.5f) / h : 0.0f;
    const glm::mat3& m = CamManager::GetNDC2World();
    const glm::vec2 worldPoint(2.0f * (m[0][0] * nx + m[1][0] * ny + m[2][0]),
                               -2.0f * (m[0][1] * nx + m[1][1] * ny + m[2][1]));
    const glm::vec2 ndcPoint(2.0f * nx, -2.0f * ny);

    if (mJustSelected) {
        mPressed = false;
        mJustSelected = leftDown;
        return;
    }
    if (mSelected) {
        if (!leftDown) {
            mSelected = false;
        } else {
            SendGameEvent(fb::evt::GameEventType::MenuPress);
            if (HitTest(worldPoint, ndcPoint)) {
                mPressed = true;
                mJustSelected = true;
            }
        }
    }
    if (!leftDown) {
        mSelected = HitTest(worldPoint, ndcPoint);
    }
}

void Button::SetActive(bool active)
{
    mActive = active;
    if (!active) {
        mSelected = false;
        mPressed = false;
    }
    SetOpacity(active ? 1.0f : 0.0f);
}

bool Button::HitTest(const glm::vec2& worldPoint, const glm::vec2& ndcPoint) const
{
    if (!mTransform)
        return false;
    const glm::vec2 centre = mTransform->GetPosition();
    const glm::vec2 size = mTransform->GetScale();
    if (!OnScreenLayer()) {
        return Within(worldPoint.x, centre.x - size.x / 2.0f, centre.x + size.x / 2.0f) &&
               Within(worldPoint.y, centre.y - size.y / 2.0f, centre.y + size.y / 2.0f);
    }
    const glm::mat3 toScreen = CamManager::GetWorld2NDC() * Sprite::ScreenTransform();
    const glm::vec3 screenCentre = toScreen * glm::vec3(centre, 1.0f);
    const glm::vec3 half = toScreen * glm::vec3(size, 0.0f) / 2.0f;
    return Within(ndcPoint.x, screenCentre.x - half.x, screenCentre.x + half.x) &&
           Within(ndcPoint.y, screenCentre.y - half.y, screenCentre.y + half.y);
}

glm::mat3 Button::OutlineMatrix() const
{
    if (!mTransform)
        return glm::mat3(1.0f);
    const glm::mat3 matrix = mTransform->GetMatrix();
    return OnScreenLayer() ? Sprite::ScreenTransform() * matrix : matrix;
}

bool Button::OnScreenLayer() const
{
    const std::shared_ptr<fb::Entity> owner = GetOwner().lock();
    const std::shared_ptr<Sprite> sprite = owner ? owner->GetComponent<Sprite>() : nullptr;
    return sprite && sprite->GetLayer() == kScreenLayer;
}

void Button::SetOpacity(float opacity) const
{
    const std::shared_ptr<fb::Entity> owner = GetOwner().lock();
    if (const std::shared_ptr<Sprite> sprite = owner ? owner->GetComponent<Sprite>() : nullptr)
        sprite->SetOpacity(opacity);
}
