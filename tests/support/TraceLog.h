#pragma once

#include "core/Trace.h"

#include <string>
#include <vector>

// Collects every trace of level 1 and up while it lives, and gives the sink
// it replaced back when it goes.
class TraceLog {
public:
    struct Record {
        std::string message;
        int level;
    };

    TraceLog()
        : mOldSink(SetTraceSink([this](const std::string& message, int level) {
            if (level > 0)
                records.push_back({message, level});
        }))
    {
    }
    ~TraceLog() { SetTraceSink(mOldSink); }
    TraceLog(const TraceLog&) = delete;
    TraceLog& operator=(const TraceLog&) = delete;

    // Whether a trace of at least that level holds the text.
    bool Traced(const std::string& text, int level = 0) const
    {
        for (const Record& record : records) {
            if (record.message.find(text) != std::string::npos && record.level >= level)
                return true;
        }
        return false;
    }

    std::vector<Record> records;

private:
    TraceSink mOldSink;
};
