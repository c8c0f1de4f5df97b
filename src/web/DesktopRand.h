#ifndef GRUBNOSH_DESKTOPRAND_H
#define GRUBNOSH_DESKTOPRAND_H

// The sequence the desktop's C library gives from rand(): an additive
// feedback generator, each value the sum of those 31 and 3 places before it,
// started from a seed by a multiplicative congruential generator and run on
// 310 values before the first is given. The browser's own C library has
// another generator; the browser build's rand() gives this one, so a run
// meets the same flying objects everywhere.

#include <cstdint>

class DesktopRand
{
public:
    // The largest value next() gives, as the desktop's RAND_MAX.
    static constexpr int kLargest = 2147483647;

    // Seed 0 is taken as 1, as the desktop's srand() takes it; an unseeded rand() has seed 1.
    explicit DesktopRand(uint32_t seed = 1);
    // The next value, 0 to kLargest.
    int next();

private:
    static constexpr int kLag = 31;
    static constexpr int kShortLag = 3;

    uint32_t state[kLag];
    unsigned position;
};

#endif
