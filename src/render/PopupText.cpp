#include "render/PopupText.h"

#include "core/Time.h"
#include "render/TextRenderer.h"

PopupText::PopupText(std::string text, const glm::vec3& colour, float x, float y, float riseSpeed, bool outline)
    : mText(std::move(text))
    , mColour(colour)
    , mX(x)
    , mY(y)
    , mRiseSpeed(riseSpeed)
    , mOutline(outline)
{
}

void PopupText::Set(std::string text, const glm::vec3& colour, float x, float y, float riseSpeed, bool outline)
{
    mText = std::move(text);
    mColour = colour;
    mX = x;
    mY = y;
    mRiseSpeed = riseSpeed;
    mOutline = outline;
}

void PopupText::Update()
{
    DrawAndRise(TextRenderer::AddTextWorld, 0.825f, 0.75f);
}

void PopupText::DrawAndRise(TextQueue queue, float outlineSize, float textSize)
{
    const float dt = Time::GetScaledDt();
    if (dt == 0.0f)
        return;
    if (mOutline)
        queue(mText, mX, mY, outlineSize, glm::vec3(0.0f), true);
    queue(mText, mX, mY, textSize, mColour, true);
    mY += dt * mRiseSpeed;
}

PopupText* PopupText::Clone()
{
    auto* copy = new PopupText(mText, mColour, mX, mY, mRiseSpeed, mOutline);
    copy->SetOwner(GetOwner());
    return copy;
}
