#include "TorvaneTimer.h"

TorvaneTimer::TorvaneTimer() : time(0.0f), duration(0.1f), countUp(false)
{
}

// No reset here: a count-down timer starts at 0, not at its duration.
TorvaneTimer::TorvaneTimer(float duration, bool countUp) : time(0.0f), duration(duration), countUp(countUp)
{
}

TorvaneTimer::~TorvaneTimer()
{
}

bool TorvaneTimer::update(float seconds)
{
    if (countUp) {
        time = time + seconds;
        return time >= duration;
    }
    time = time - seconds;
    return time <= 0.0f;
}

void TorvaneTimer::reset()
{
    time = countUp ? 0.0f : duration;
}

float TorvaneTimer::percentComplete()
{
    return time / duration * 100.0f;
}

float TorvaneTimer::getTime()
{
    return time;
}

TorvaneAutoResetTimer::TorvaneAutoResetTimer(float duration, bool countUp) : TorvaneTimer()
{
    this->duration = duration;
    this->countUp = countUp;
}

bool TorvaneAutoResetTimer::update(float seconds)
{
    if (TorvaneTimer::update(seconds)) {
        reset();
        return true;
    }
    return false;
}
