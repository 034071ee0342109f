#include "core/NumberText.h"

#include <charconv>

namespace {

template <typename Number>
std::string ShortestText(Number value)
{
    // The longest shortest form of a double, "-2.2250738585072014e-308", fits.
    char digits[32];
    const std::to_chars_result written = std::to_chars(digits, digits + sizeof digits, value);
    return std::string(digits, written.ptr);
}

} // namespace

std::string NumberText(double value)
{
    return ShortestText(value);
}

std::string NumberText(float value)
{
    return ShortestText(value);
}
