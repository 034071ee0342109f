#pragma once

#include "core/Component.h"
#include "ui/Button.h"

#include <memory>
#include <vector>

// One screen's buttons, in the order the screen added them. In pad mode its
// Update keeps exactly one of them selected: with none selected it selects
// the first active button; with several it traces a warning, clears them all
// and selects the first active one. In mouse mode it does nothing. Each
// screen keeps one for the whole run, empties and refills it in its Init and
// updates it once a frame; it is never attached to an entity.
class UIFramework : public fb::cmp::Component {
public:
    void Update() override;
    // A copy with the same owner and button list.
    UIFramework* Clone() override;

    void AddButton(std::weak_ptr<Button> button);
    // Forgets every button.
    void Clear();
    const std::vector<std::weak_ptr<Button>>& GetButtons() const { return mButtons; }

private:
    std::vector<std::weak_ptr<Button>> mButtons;
};
