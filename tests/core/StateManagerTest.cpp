#include "core/StateManager.h"
#include "support/StateStandIn.h"
#include "support/TraceLog.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Records every call it gets as "<name>.<operation>".
class RecordingState : public fb::GS {
public:
    RecordingState(std::string name, std::vector<std::string>& log)
        : mName(std::move(name))
        , mLog(log)
    {
    }
    void Init() override { mLog.push_back(mName + ".Init"); }
    void Update() override { mLog.push_back(mName + ".Update"); }
    void Exit() override { mLog.push_back(mName + ".Exit"); }
    void Load() override { mLog.push_back(mName + ".Load"); }
    void Unload() override { mLog.push_back(mName + ".Unload"); }

private:
    std::string mName;
    std::vector<std::string>& mLog;
};

// Each test ends its run as the game does, by quitting.
class StateManagerRun : public ::testing::Test {
protected:
    void TearDown() override { StateManager::Quit(); }
};

using StateManagerStart = StateManagerRun;
using StateManagerRegistry = StateManagerRun;

class StateManagerTest : public StateManagerRun {
protected:
    void SetUp() override
    {
        StateManager::Start("Alpha");
        log.clear();
    }

    std::vector<std::string> log;
    RecordingState alpha{"Alpha", log};
    RecordingState beta{"Beta", log};
    StateStandIn alphaName{"Alpha", alpha};
    StateStandIn betaName{"Beta", beta};
};

using Log = std::vector<std::string>;

TEST_F(StateManagerStart, LoadsThenInitsAndRuns)
{
    Log log;
    RecordingState intro("Intro", log);
    StateStandIn introName("Intro", intro);
    EXPECT_FALSE(StateManager::IsRunning());
    StateManager::Start("Intro");
    EXPECT_EQ(log, (Log{"Intro.Load", "Intro.Init"}));
    EXPECT_TRUE(StateManager::IsRunning());
    EXPECT_EQ(StateManager::GetCurrentState(), &intro);

    // However the game ends, the state is left.
    log.clear();
    StateManager::Shutdown();
    EXPECT_EQ(log, (Log{"Intro.Exit", "Intro.Unload"}));
    EXPECT_FALSE(StateManager::IsRunning());
    EXPECT_EQ(StateManager::GetCurrentState(), nullptr);
}

TEST_F(StateManagerStart, UnknownNameLeavesTheGameStopped)
{
    StateManager::Start("NoSuchState");
    EXPECT_FALSE(StateManager::IsRunning());
    EXPECT_EQ(StateManager::GetCurrentState(), nullptr);
    StateManager::Update();
}

TEST_F(StateManagerTest, SwitchTakesEffectAtTheNextFrameAndUpdatesTheFrameAfter)
{
    StateManager::Update();
    StateManager::SetNextState("Beta");
    EXPECT_EQ(log, (Log{"Alpha.Update"}));

    log.clear();
    StateManager::Update();
    EXPECT_EQ(log, (Log{"Alpha.Exit", "Alpha.Unload", "Beta.Load", "Beta.Init"}));
    EXPECT_EQ(StateManager::GetCurrentState(), &beta);

    log.clear();
    StateManager::Update();
    EXPECT_EQ(log, (Log{"Beta.Update"}));
}

TEST_F(StateManagerTest, RestartTakesAWholeFrameAndDelaysAPendingSwitch)
{
    StateManager::Restart();
    StateManager::SetNextState("Beta");
    StateManager::Update();
    EXPECT_EQ(log, (Log{"Alpha.Exit", "Alpha.Init"}));

    log.clear();
    StateManager::Update();
    EXPECT_EQ(log, (Log{"Alpha.Exit", "Alpha.Unload", "Beta.Load", "Beta.Init"}));
}

TEST_F(StateManagerTest, UnknownOrCurrentNamesChangeNothingOrCancel)
{
    StateManager::SetNextState("PartcleState");
    StateManager::Update();
    EXPECT_EQ(log, (Log{"Alpha.Update"}));

    log.clear();
    StateManager::SetNextState("Beta");
    StateManager::SetNextState("Alpha");
    StateManager::Update();
    EXPECT_EQ(log, (Log{"Alpha.Update"}));
}

TEST_F(StateManagerTest, QuitStopsUpdates)
{
    StateManager::Quit();
    EXPECT_FALSE(StateManager::IsRunning());
    StateManager::Update();
    EXPECT_TRUE(log.empty());
}

TEST_F(StateManagerTest, ARequestMadeWhileSwitchingWaitsForTheNextFrame)
{
    struct Redirecting : fb::GS {
        void Init() override { StateManager::SetNextState("Alpha"); }
    } redirecting;
    StateStandIn redirectingName("Redirecting", redirecting);
    StateManager::SetNextState("Redirecting");
    StateManager::Update();
    EXPECT_EQ(StateManager::GetCurrentState(), &redirecting);
    StateManager::Update();
    EXPECT_EQ(StateManager::GetCurrentState(), &alpha);
}

// Records its calls as RecordingState does and throws from the one named
// in throwsIn, once it has recorded it.
class ThrowingState : public RecordingState {
public:
    using RecordingState::RecordingState;
    void Init() override { Call("Init", [this] { RecordingState::Init(); }); }
    void Exit() override { Call("Exit", [this] { RecordingState::Exit(); }); }
    void Load() override { Call("Load", [this] { RecordingState::Load(); }); }
    void Unload() override { Call("Unload", [this] { RecordingState::Unload(); }); }
    std::string throwsIn;
    // Throws a plain int instead of a std::exception.
    bool throwsInt = false;

private:
    template <typename Record> void Call(const std::string& operation, Record record)
    {
        record();
        if (operation == throwsIn && throwsInt)
            throw 7;
        if (operation == throwsIn)
            throw std::runtime_error(operation + " failed");
    }
};

TEST_F(StateManagerStart, AfterAThrowShutdownLeavesAndUnloadsExactlyWhatWasEnteredAndLoaded)
{
    Log log;
    ThrowingState first("First", log), second("Second", log);
    StateStandIn firstName("First", first);
    StateStandIn secondName("Second", second);
    struct Case {
        ThrowingState* thrower;
        std::string operation;
        bool restart;
        Log atShutdown;
        std::string throwsAgain = "";
        bool againAnInt = false;
    };
    const std::vector<Case> cases = {
        {&second, "Load", false, {"Second.Unload"}},
        {&second, "Init", false, {"Second.Exit", "Second.Unload"}},
        {&second, "Init", false, {"Second.Exit", "Second.Unload"}, "Exit"},
        {&second, "Init", false, {"Second.Exit", "Second.Unload"}, "Exit", true},
        {&first, "Exit", false, {"First.Unload"}},
        {&first, "Unload", false, {}},
        {&first, "Exit", true, {"First.Unload"}},
        {&first, "Init", true, {"First.Exit", "First.Unload"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.operation + (c.restart ? " of a restart" : " of a switch") + " then " + c.throwsAgain +
                     (c.againAnInt ? " an int" : ""));
        first.throwsIn = second.throwsIn = "";
        first.throwsInt = second.throwsInt = false;
        StateManager::Start("First");
        c.thrower->throwsIn = c.operation;
        if (c.restart)
            StateManager::Restart();
        else
            StateManager::SetNextState("Second");
        EXPECT_THROW(StateManager::Update(), std::runtime_error);
        log.clear();
        c.thrower->throwsIn = c.throwsAgain;
        c.thrower->throwsInt = c.againAnInt;
        TraceLog traces;
        EXPECT_NO_THROW(StateManager::Shutdown());
        EXPECT_EQ(log, c.atShutdown);
        const std::string traced = c.againAnInt ? "it threw something other than a std::exception" : "Exit failed";
        EXPECT_EQ(traces.Traced("Exit failed at shutdown: " + traced, 3), !c.throwsAgain.empty());
        log.clear();
        StateManager::Shutdown();
        EXPECT_TRUE(log.empty()) << "a second shutdown has nothing left to leave";
    }
}

TEST_F(StateManagerRegistry, NamesInByteOrderAndTheLaterRegistrationWins)
{
    Log log;
    RecordingState first("First", log), second("Second", log);
    StateStandIn editorName("EditorTest", first);
    StateStandIn creditsName("CreditsState", first);
    StateStandIn controlsName("ControlsState", first);
    StateStandIn laterControlsName("ControlsState", second);
    std::vector<std::string> names = StateManager::GetStateNames();
    std::vector<std::string> expected{"ControlsState", "CreditsState", "EditorTest"};
    for (const auto& name : expected)
        EXPECT_NE(std::find(names.begin(), names.end(), name), names.end());
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    StateManager::Start("ControlsState");
    EXPECT_EQ(StateManager::GetCurrentState(), &second);
}

} // namespace
