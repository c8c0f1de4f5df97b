#ifndef TORVANE_TIMER_H
#define TORVANE_TIMER_H

// Game-time timer fed with frame times; counts up from 0 or down from its duration.
class TorvaneTimer
{
public:
    TorvaneTimer();
    TorvaneTimer(float duration, bool countUp);
    virtual bool update(float seconds);
    virtual ~TorvaneTimer();

    void reset();
    float percentComplete();
    float getTime();

protected:
    float time;
    float duration;
    bool countUp;
};

// Restarts itself in the update that reaches the end.
class TorvaneAutoResetTimer : public TorvaneTimer
{
public:
    TorvaneAutoResetTimer(float duration, bool countUp);
    bool update(float seconds) override;
};

#endif
