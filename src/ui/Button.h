#pragma once

#include "core/Component.h"
#include "core/Transform.h"

#include <memory>

class Controller;

// A menu button: a component of an entity that also has a Transform (its
// box: centre = world position, size = world scale) and a Sprite (its
// picture). The owning screen updates it once a frame, then polls
// IsPressed, which is true for exactly one frame per click or A press.
//
// Mouse mode: hovering selects, a left click on the selected button sends
// "menuPress" and presses it; the next press needs the button released
// first. Pad mode (with a pad connected): the d-pad or a new stick direction
// moves the focus to an active neighbour ("menuHover" for right, up and down;
// none for left), A presses and sends "menuHover". A selected button pulses
// its opacity and gets a white outline; a pressed one a red outline.
// Buttons whose Sprite is on layer 5 are fixed to the screen and are
// hit-tested in screen space.
class Button : public fb::cmp::Component {
public:
    // Keeps the owner's Transform.
    void Init() override;
    // Keeps a Transform that is added to the owner later.
    void OnComponentAdded(std::weak_ptr<fb::cmp::Component> added) override;
    void Update() override;
    // A copy with the same owner, Transform, flags and neighbour links.
    Button* Clone() override;

    // Focus moves and the A press, from this pad.
    void HandlePadInput(const Controller& pad);
    // Hover and click from the mouse as this frame reads it (core/Mouse.h:
    // a click that came and went between two frames counts).
    void HandleMouseInput();

    // Shows or hides the button. A hidden button takes no input, loses its
    // selection and press, and its Sprite turns fully transparent; a shown
    // one fully opaque.
    void SetActive(bool active);
    bool IsActive() const { return mActive; }

    bool IsSelected() const { return mSelected; }
    void SetSelected(bool selected) { mSelected = selected; }
    bool IsPressed() const { return mPressed; }
    // Pad mode: the focus arrived this frame. Mouse mode: the left button is
    // still held since the last press.
    bool IsJustSelected() const { return mJustSelected; }
    void SetJustSelected(bool justSelected) { mJustSelected = justSelected; }

    // Neighbours for pad navigation, set by the owning screen; not owned.
    // Null where there is none.
    Button* up = nullptr;
    Button* left = nullptr;
    Button* right = nullptr;
    Button* down = nullptr;

private:
    // Moves the focus to the neighbour if this button has it and the
    // neighbour is there and active; returns whether it moved.
    bool MoveFocusTo(Button* neighbour);
    bool HitTest(const glm::vec2& worldPoint, const glm::vec2& ndcPoint) const;
    // The Transform's matrix, fixed to the screen for layer-5 buttons.
    glm::mat3 OutlineMatrix() const;
    bool OnScreenLayer() const;
    void SetOpacity(float opacity) const;

    std::shared_ptr<fb::cmp::Transform> mTransform;
    bool mSelected = false;
    bool mPressed = false;
    bool mJustSelected = false;
    float mPulseTime = 0.0f;
    bool mActive = true;
};
