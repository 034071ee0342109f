#include "render/PopupNumber.h"

#include "core/Time.h"
#include "render/TextRenderer.h"

#include <string>

PopupNumber::PopupNumber(int number, const glm::vec3& colour, float x, float y, float riseSpeed)
    : mNumber(number)
    , mColour(colour)
    , mX(x)
    , mY(y)
    , mRiseSpeed(riseSpeed)
{
}

float PopupNumber::GetSize() const
{
    return static_cast<float>(mNumber) * 0.075f + 0.75f;
}

void PopupNumber::Update()
{
    const float dt = Time::GetScaledDt();
    if (dt == 0.0f)
        return;
    const std::string text = std::to_string(mNumber);
    const float size = GetSize();
    TextRenderer::AddTextWorld(text, mX, mY, size * 1.1f, glm::vec3(0.0f), true);
    TextRenderer::AddTextWorld(text, mX, mY, size, mColour, true);
    mY += dt * mRiseSpeed;
}

PopupNumber* PopupNumber::Clone()
{
    auto* copy = new PopupNumber(mNumber, mColour, mX, mY, mRiseSpeed);
    copy->SetOwner(GetOwner());
    return copy;
}
