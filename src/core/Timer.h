#pragma once

// A countdown stepped by its owner with the frame time of its choice.
class Timer {
public:
    Timer() = default;
    explicit Timer(float duration);

    // Counts down unless done; done once the remaining time reaches 0.
    void Update(float step);
    bool IsDone() const { return mDone; }
    void Reset();
    void SetDuration(float duration) { mDuration = duration; }
    void SetRemaining(float remaining) { mRemaining = remaining; }
    float GetRemaining() const { return mRemaining; }
    float GetDuration() const { return mDuration; }

private:
    float mRemaining = 0.0f;
    float mDuration = 1.0f;
    bool mDone = false;
};
