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

} // namespace Time
