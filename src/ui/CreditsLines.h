#pragma once

#include <span>

// One line of the credits roll: it stands `offset` units below the top of
// the roll.
struct CreditsLine {
    float offset;
    float scale;
    const char* text;
};

std::span<const CreditsLine> GetCreditsLines();
