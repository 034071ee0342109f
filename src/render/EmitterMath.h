#pragma once

// The full turn the emitters draw their angles from.
constexpr float kTwoPi = 6.2831855f;
