#pragma once

// The frame clock. Each frame lasts at least 1/60 s; game objects read the
// scaled frame time, the pads' rumble, menus and the editor the plain one.
namespace Time {

void Init();
// Waits until at least 1/60 s has passed since the last frame and publishes
// that time as the frame time.
void Update();
float GetDt();
float GetScaledDt();
float GetTimeScale();
void SetTimeScale(float scale);
// Publishes a frame time without waiting, for tests and benchmarks that
// step the clock themselves.
void SetDt(float seconds);
// From now on every Update publishes exactly this frame time at once,
// however long the frame really took, so that a test that counts frames
// sees the same game time on a busy machine; 0 (and Init) go back to the
// real clock.
void SetFixedStep(float seconds);

} // namespace Time
