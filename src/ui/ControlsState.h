#pragma once

#include "core/Entity.h"
#include "render/Texture.h"
#include "ui/MenuCursor.h"
#include "ui/SubScreen.h"
#include "ui/UIFramework.h"

#include <memory>
#include <vector>

class Button;

namespace fb {

// The how-to-play pages: five pictures paged with a next and a previous
// arrow, and Back. Outside a match the last page offers Play, which starts
// the tutorial level.
class ControlsState : public SubScreen {
public:
    static constexpr int kPageCount = 5;

    void Init() override;
    void Update() override;
    bool IsDone() const override { return mDone; }

    // Inside a match there is no Play; call after Init, which clears it.
    void SetInGame(bool inGame) { mInGame = inGame; }
    int GetPage() const { return mPage; }

private:
    void ShowPage(int page);
    void LinkNormal();
    void LinkLastPage();
    void NextPage();
    void PreviousPage();
    void StartTutorial();

    Texture mPageImage{"./assets/img/htp_1.png"};
    bool mInGame = false;
    // Buttons, updated by the screen itself.
    std::vector<std::shared_ptr<Entity>> mEntities;
    bool mDone = false;
    int mPage = 0;
    UIFramework mUI;
    MenuCursor mCursor;
    std::shared_ptr<Button> mBack;
    std::shared_ptr<Button> mNext;
    std::shared_ptr<Button> mPrevious;
    std::shared_ptr<Button> mPlay;
};

} // namespace fb
