#pragma once

#include "render/PopupText.h"

// A pop-up text fixed to the screen: x and y run from -1 to 1 across the
// window and the rise speed is in those units. Texts of four characters or
// more are drawn smaller.
class ScreenspacePopupText : public PopupText {
public:
    using PopupText::PopupText;

    void Update() override;
    ScreenspacePopupText* Clone() override;

    // The text scale it is drawn at.
    float GetSize() const;
};
