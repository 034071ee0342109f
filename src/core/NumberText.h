#pragma once

#include <string>

// A number as the shortest text that reads back as the same value, for
// messages: 1e+300, -5, 0.1 (not 0.100000), nan, inf.
std::string NumberText(double value);
std::string NumberText(float value);
