#include "ui/UIFramework.h"

#include "core/Trace.h"
#include "ui/InputMode.h"

namespace {

void SelectFirstActive(const std::vector<std::weak_ptr<Button>>& buttons)
{
    for (const std::weak_ptr<Button>& weak : buttons) {
        if (std::shared_ptr<Button> button = weak.lock(); button && button->IsActive()) {
            button->SetSelected(true);
            return;
        }
    }
}

} // namespace

void UIFramework::Update()
{
    if (IsMouseMode())
        return;
    int selected = 0;
    for (const std::weak_ptr<Button>& weak : mButtons) {
        if (std::shared_ptr<Button> button = weak.lock(); button && button->IsSelected())
            ++selected;
    }
    if (selected == 1)
        return;
    if (selected > 1) {
        Trace("UIFramework Warning: Multiple buttons claim to be selected at the same time. Resetting selection "
              "status for buttons.",
              3);
        for (const std::weak_ptr<Button>& weak : mButtons) {
            if (std::shared_ptr<Button> button = weak.lock())
                button->SetSelected(false);
        }
    }
    SelectFirstActive(mButtons);
}

UIFramework* UIFramework::Clone()
{
    return new UIFramework(*this);
}

void UIFramework::AddButton(std::weak_ptr<Button> button)
{
    mButtons.push_back(std::move(button));
}

void UIFramework::Clear()
{
    mButtons.clear();
}
