#ifndef TORVANE_TIMER_H
#define TORVANE_TIMER_H

/// @file
/// TorvaneTimer and TorvaneAutoResetTimer: game time in seconds, fed frame by frame.

/// A timer of game time in seconds, advanced only by the frame times given to update.
///
/// It counts up from 0 to its duration, or down from its duration to 0, and keeps
/// going past the end until reset: the caller decides when to restart it. It reads
/// no clock of its own.
class TorvaneTimer
{
public:
    /// A count-down timer of 0.1 s at time 0, so its first update already ends it.
    TorvaneTimer();
    /// A timer of duration seconds, counting up or down, at time 0: a count-down
    /// timer starts at its end, not at its duration, until reset.
    TorvaneTimer(float duration, bool countUp);
    /// Advances the timer by seconds (the frame time; negative moves it back).
    /// True when it has reached or passed its end, and on every update after that
    /// until reset.
    virtual bool update(float seconds);
    /// Releases nothing.
    virtual ~TorvaneTimer();

    /// Restarts the timer: time 0 when counting up, the duration when counting down.
    void reset();
    /// time / duration × 100, not clamped: the share elapsed when counting up, the
    /// share left when counting down. A duration of 0 gives infinity or NaN.
    float percentComplete();
    /// Seconds since the restart when counting up, seconds left when counting down.
    float getTime();

protected:
    /// Seconds elapsed (counting up) or left (counting down); runs past the end.
    float time;
    /// The period in seconds.
    float duration;
    /// True: counts up from 0 to duration; false: down from duration to 0.
    bool countUp;
};

/// A TorvaneTimer that restarts itself in the update that reaches its end.
class TorvaneAutoResetTimer : public TorvaneTimer
{
public:
    /// A timer of duration seconds, counting up or down, at time 0 (not reset).
    TorvaneAutoResetTimer(float duration, bool countUp);
    /// Advances as TorvaneTimer::update does; when that reaches the end, resets the
    /// timer and returns true. Time beyond the end is dropped.
    bool update(float seconds) override;
};

#endif
