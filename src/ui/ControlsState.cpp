#include "ui/ControlsState.h"

#include "core/StateManager.h"
#include "core/Trace.h"
#include "level/Level.h"
#include "ui/Button.h"
#include "ui/MenuEntities.h"
#include "ui/MenuQuad.h"

#include <stdexcept>
#include <string>

namespace {

// Reached through the developer tools' state list; the menus make their own.
// Made once and never deleted; held here as well as in the registry.
fb::ControlsState* const gState = new fb::ControlsState();
StateManager::Registration gRegistration("ControlsState", gState);

constexpr int kButtonLayer = 5;
constexpr int kPageLayer = 2;
constexpr glm::vec2 kCameraPosition{0.0f, 1000.0f};
constexpr float kCameraSize = 60.0f;
constexpr glm::vec2 kPageSize{80.0f, 45.0f};
constexpr glm::vec2 kCursorOffset{1.5f, -2.0f};
constexpr const char* kTutorialMap = "./assets/levels/tutorial.json";

const char* const kPages[fb::ControlsState::kPageCount] = {"./assets/img/htp_1.png", "./assets/img/htp_2.png",
                                                          "./assets/img/htp_3.png", "./assets/img/htp_4.png",
                                                          "./assets/img/htp_5.png"};

} // namespace

namespace fb {

void ControlsState::Init()
{
    mPage = 0;
    mPageImage = Texture(kPages[0]);
    mInGame = false;
    mDone = false;
    mEntities.clear();
    mUI.Clear();
    ActivateMenuCamera(kCameraPosition, kCameraSize);
    mCursor.Build(5.0f);

    MenuButton back = MakeMenuButton("Back Button", "./assets/img/ButtonBack.png", kButtonLayer, {-40.0f, -20.0f},
                                     {20.0f, 9.0f});
    MenuButton next = MakeMenuButton("Right Button", "./assets/img/right_arrow.png", kButtonLayer, {40.0f, -10.0f},
                                     {18.0f, 9.0f});
    MenuButton previous = MakeMenuButton("Left Button", "./assets/img/left_arrow.png", kButtonLayer,
                                         {40.0f, -20.0f}, {18.0f, 9.0f});
    MenuButton play = MakeMenuButton("play Button", "./assets/img/ButtonPlay.png", kButtonLayer, {40.0f, -10.0f},
                                     {18.0f, 9.0f});
    mBack = back.button;
    mNext = next.button;
    mPrevious = previous.button;
    mPlay = play.button;
    mEntities = {next.entity, previous.entity, play.entity, back.entity};
    for (const auto& button : {mPlay, mBack, mNext, mPrevious})
        mUI.AddButton(button);
    LinkNormal();
    mPlay->SetActive(false);
    mPrevious->SetActive(false);
}

void ControlsState::Update()
{
    mCursor.Place(kCursorOffset);
    mUI.Update();
    mCursor.Update();
    for (std::shared_ptr<Entity> entity : mEntities)
        entity->Update();

    if (WasPressed(mNext))
        NextPage();
    if (WasPressed(mPrevious))
        PreviousPage();

    DrawMenuQuad(mPageImage, kCameraPosition, kPageSize, 1.0f, kPageLayer);

    if (WasPressed(mBack))
        mDone = true;
    if (WasPressed(mPlay)) {
        mDone = true;
        if (!mInGame)
            StartTutorial();
    }
}

void ControlsState::ShowPage(int page)
{
    mPageImage = Texture(kPages[page]);
}

void ControlsState::LinkNormal()
{
    LinkButton(*mBack, nullptr, nullptr, mNext.get(), nullptr);
    LinkButton(*mNext, nullptr, mBack.get(), nullptr, mPrevious.get());
    LinkButton(*mPrevious, mNext.get(), mBack.get(), nullptr, nullptr);
    LinkButton(*mPlay, nullptr, nullptr, nullptr, nullptr);
}

void ControlsState::LinkLastPage()
{
    LinkButton(*mBack, nullptr, nullptr, mPlay.get(), nullptr);
    LinkButton(*mPlay, nullptr, mBack.get(), nullptr, mPrevious.get());
    LinkButton(*mPrevious, mPlay.get(), mBack.get(), nullptr, nullptr);
}

void ControlsState::NextPage()
{
    if (mPage + 1 >= kPageCount)
        return;
    ++mPage;
    mPlay->SetActive(false);
    LinkNormal();
    ShowPage(mPage);
    if (mPage == kPageCount - 1) {
        mNext->SetActive(false);
        if (!mInGame) {
            LinkLastPage();
            mPlay->SetActive(true);
        }
    }
    if (!mPrevious->IsActive())
        mPrevious->SetActive(true);
}

void ControlsState::PreviousPage()
{
    mPlay->SetActive(false);
    LinkNormal();
    if (mPage > 0) {
        --mPage;
        ShowPage(mPage);
        if (mPage == 0)
            mPrevious->SetActive(false);
    }
    if (!mNext->IsActive())
        mNext->SetActive(true);
}

// A map still loaded from the level select's preview goes first, so that the
// tutorial is not built on top of it. A tutorial that cannot be read leaves
// the screen closing without a match.
void ControlsState::StartTutorial()
{
    UnloadTileset();
    UnloadLevel();
    try {
        LoadLevel(kTutorialMap);
    } catch (const std::exception& error) {
        Trace(std::string("The tutorial cannot start: ") + error.what(), 4);
        UnloadTileset();
        UnloadLevel();
        return;
    }
    StateManager::SetNextState("GameplayState");
}

} // namespace fb
