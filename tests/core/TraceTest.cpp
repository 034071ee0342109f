#include "core/Trace.h"

#include <gtest/gtest.h>
#include <iostream>
#include <sstream>

namespace {

// What the default sink writes to standard error while `body` runs.
template <class Body>
std::string StandardErrorOf(Body body)
{
    std::ostringstream captured;
    std::streambuf* original = std::cerr.rdbuf(captured.rdbuf());
    body();
    std::cerr.rdbuf(original);
    return captured.str();
}

TEST(TraceTest, AMessageRepeatedEveryFrameIsWrittenOnceWithItsCount)
{
    // Writes out whatever an earlier test left counting.
    SetTraceSink(nullptr);
    const std::string written = StandardErrorOf([] {
        for (int frame = 0; frame < 120; ++frame) {
            Trace("slime.json: \"count\" is not a number", 3);
            Trace("frame done", 0);
        }
        Trace("level.json: no tile set", 4);
        Trace("level.json: no tile set", 4);
        Trace("level.json: no tile set", 3);
        Trace("slime.json: \"count\" is not a number", 3);
        SetTraceSink(nullptr);
    });
    EXPECT_EQ(written, "[trace 3] slime.json: \"count\" is not a number\n"
                       "[trace 3] slime.json: \"count\" is not a number (repeated 119 more times)\n"
                       "[trace 4] level.json: no tile set\n"
                       "[trace 4] level.json: no tile set (repeated 1 more times)\n"
                       "[trace 3] level.json: no tile set\n"
                       "[trace 3] slime.json: \"count\" is not a number\n");
}

} // namespace
