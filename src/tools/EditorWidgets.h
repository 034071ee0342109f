#pragma once

class StatusLine;

// Widgets of the developer windows. Their number fields take only finite
// numbers: what is typed is refused, with a word in the window's status
// line, when it reads as NaN or an infinity, and the value stays as it was.

// The text read as a decimal number, the longest leading one (0 when the
// text starts with none). False when that number is not finite as a float.
bool ReadFiniteNumber(const char* text, float& value);

// Fields fill the window from here on (until ImGui::PopItemWidth), leaving
// room beside them for the longest of their labels.
void PushFieldWidthBeside(const char* longestLabel);

// A float slider, format "%.3f"; a value typed into it (Ctrl+click) that is
// not finite is refused with a word on the status line.
void FiniteSlider(const char* label, float& value, float min, float max, StatusLine& status);
