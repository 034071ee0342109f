#pragma once

#include "core/EntityManager.h"
#include "core/Time.h"
#include "core/Trace.h"
#include "physics/ColliderPool.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

// A fresh collider pool and entity list, a fixed 1/60 s frame, and the
// traces of the test collected.
class EngineWorldTest : public ::testing::Test {
protected:
    static constexpr float kFrame = 1.0f / 60.0f;

    void SetUp() override
    {
        InitBoxColliders();
        EntityManager::Init();
        Time::Init();
        Time::SetDt(kFrame);
        mOldSink = SetTraceSink([this](const std::string& message, int level) {
            if (level > 0)
                mTraces.push_back(message);
        });
    }

    void TearDown() override
    {
        EntityManager::Clear();
        ShutdownBoxColliders();
        SetTraceSink(mOldSink);
    }

    bool Traced(const std::string& text) const
    {
        for (const std::string& message : mTraces) {
            if (message.find(text) != std::string::npos)
                return true;
        }
        return false;
    }

    std::vector<std::string> mTraces;

private:
    TraceSink mOldSink;
};
