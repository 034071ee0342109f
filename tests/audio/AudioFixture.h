#pragma once

#include "AudioTestFiles.h"
#include "audio/AudioEngine.h"
#include "core/Trace.h"

#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>

// A running sound engine (on the driver the environment names, "dummy" under
// ctest: it plays in real time and is not heard), scratch sound files, and
// the traces of the test collected.
class AudioFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        mOldSink = SetTraceSink([this](const std::string& message, int level) {
            if (level > 0)
                mTraces.push_back(message);
        });
        AudioEngine::Initialize();
    }

    void TearDown() override
    {
        AudioEngine::Shutdown();
        SetTraceSink(mOldSink);
    }

    int CountTraces(const std::string& text) const
    {
        return static_cast<int>(std::count_if(mTraces.begin(), mTraces.end(), [&text](const std::string& message) {
            return message.find(text) != std::string::npos;
        }));
    }

    static void Wait(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

    AudioTestFiles mFiles;
    std::vector<std::string> mTraces;

private:
    TraceSink mOldSink;
};
