#pragma once

#include "support/ImGuiInput.h"
#include "ScratchGameFolder.h"
#include "core/Entity.h"
#include "core/GameState.h"
#include "core/Trace.h"
#include "support/StateStandIn.h"
#include "support/VirtualKeyboard.h"

#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The whole game, started in a scratch folder on a private X server whose
// keyboard the test holds, with its developer windows worked through
// ImGuiInput. The first state is an empty stand-in for the intro.
class EditorSession : public ::testing::Test {
protected:
    void SetUp() override;
    // Runs in the scratch folder before the game starts.
    virtual void BeforeStart() {}
    void TearDown() override;

    void Frames(int count);
    // Runs frames until the windows show the text, for at most `most`
    // frames; a failure names the text that never came.
    ::testing::AssertionResult FramesUntilShown(const std::string& text, int most);
    // Holds the two keys for a frame, as a person would.
    void Chord(SDL_Scancode first, SDL_Scancode second);
    // Opens the menu unless it is open, and shows the debug/edit windows.
    void OpenDebugWindows();
    std::shared_ptr<fb::Entity> FindEntity(const std::string& name) const;
    bool Traced(const std::string& text) const;

    // Stands in for the intro; like every screen it clears the entities it
    // leaves behind.
    struct IntroStandIn : fb::GS {
        void Exit() override;
    } intro;
    std::optional<StateStandIn> introName;
    VirtualKeyboard keyboard{1024, 768};
    std::unique_ptr<ScratchGameFolder> folder;
    ImGuiInput input{[this] { Frames(1); }};
    std::vector<std::string> traces;

private:
    TraceSink oldSink;
};
