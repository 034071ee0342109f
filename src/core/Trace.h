#pragma once

#include <functional>
#include <string>

// Diagnostics. Levels in use: 0 (information), 3 (bad data, or another fault
// the game goes on past), 4 (a file that could not be read or parsed). The
// default sink writes levels 3 and up to standard error so that a content
// maker sees what went wrong. A message that comes again and again, as a
// fault met every frame does, is written once; "(repeated N more times)"
// follows when a different one comes, when the sink is replaced, or when the
// program ends.
using TraceSink = std::function<void(const std::string& message, int level)>;

void Trace(const std::string& message, int level);
void Assert(bool condition, const std::string& message);

// Replaces the sink; an empty sink restores the default. Returns the old one.
TraceSink SetTraceSink(TraceSink sink);
