#include "core/Trace.h"

#include <iostream>

namespace {

void DefaultSink(const std::string& message, int level)
{
    if (level >= 3)
        std::cerr << "[trace " << level << "] " << message << '\n';
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
    TraceSink previous = Sink();
    Sink() = sink ? std::move(sink) : TraceSink(DefaultSink);
    return previous;
}
