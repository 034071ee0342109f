#include "core/Trace.h"

#include <iostream>
#include <mutex>

namespace {

// Writes levels 3 and up to standard error. A message that comes again and
// again (a fault met every frame) is written once; how many times it came
// again follows when a different message comes, the sink is replaced, or the
// program ends.
class StandardErrorSink {
public:
    void Write(const std::string& message, int level)
    {
        if (level < 3)
            return;
        std::lock_guard<std::mutex> lock(mMutex);
        if (mRepeats >= 0 && message == mLast && level == mLastLevel) {
            ++mRepeats;
            return;
        }
        WriteRepeats();
        std::cerr << "[trace " << level << "] " << message << '\n';
        mLast = message;
        mLastLevel = level;
        mRepeats = 0;
    }

    void Flush()
    {
        std::lock_guard<std::mutex> lock(mMutex);
        WriteRepeats();
        mRepeats = -1;
    }

private:
    void WriteRepeats()
    {
        if (mRepeats > 0)
            std::cerr << "[trace " << mLastLevel << "] " << mLast << " (repeated " << mRepeats << " more times)\n";
        mRepeats = 0;
    }

    std::mutex mMutex;
    std::string mLast;
    int mLastLevel = 0;
    // -1 while nothing has been written since the last flush.
    long mRepeats = -1;
};

// Never destroyed: objects destroyed after main may still trace.
StandardErrorSink& StandardError()
{
    static StandardErrorSink* sink = new StandardErrorSink();
    return *sink;
}

struct FlushAtExit {
    ~FlushAtExit() { StandardError().Flush(); }
} gFlushAtExit;

void DefaultSink(const std::string& message, int level)
{
    StandardError().Write(message, level);
}

TraceSink& Sink()
{
    static TraceSink sink = DefaultSink;
    return sink;
}

} // namespace

void Trace(const std::string& message, int level)
{
    Sink()(message, level);
}

void Assert(bool condition, const std::string& message)
{
    if (!condition)
        Trace("Assertion failed: " + message, 4);
}

TraceSink SetTraceSink(TraceSink sink)
{
    StandardError().Flush();
    TraceSink previous = Sink();
    Sink() = sink ? std::move(sink) : TraceSink(DefaultSink);
    return previous;
}
