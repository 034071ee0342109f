#include "render/ScreenspacePopupText.h"

#include "render/TextRenderer.h"

float ScreenspacePopupText::GetSize() const
{
    return mText.size() < 4 ? 0.075f : 0.05f;
}

void ScreenspacePopupText::Update()
{
    const bool shortText = mText.size() < 4;
    DrawAndRise(TextRenderer::AddText, shortText ? 0.0825f : 0.055f, GetSize());
}

ScreenspacePopupText* ScreenspacePopupText::Clone()
{
    auto* copy = new ScreenspacePopupText(mText, mColour, mX, mY, mRiseSpeed, mOutline);
    copy->SetOwner(GetOwner());
    return copy;
}
