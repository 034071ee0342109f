#pragma once

class StatusLine;

// Widgets of the developer windows. Their number fields take only finite
// numbers: what is typed is refused, with a word in the window's status
// line, when it reads as NaN or an infinity, and the value stays as it was.

// The text read as a decimal number, the longest leading one (0 when the
// text starts with none). False when that number is not finite as a float.
bool ReadFiniteNumber(const char* text, float& value);

// Places the next window where it first opens and gives it a width that shows
// its labels; its height follows what it holds. Moved or resized by hand, it
// keeps that for the rest of the run.
void PlaceNextWindow(float x, float y, float width);

// A float slider, format "%.3f"; a value typed into it (Ctrl+click) that is
// not finite is refused with a word on the status line.
void FiniteSlider(const char* label, float& value, float min, float max, StatusLine& status);
