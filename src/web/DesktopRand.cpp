#include "DesktopRand.h"

namespace {

// The seeding generator: 16807 times the value before, modulo 2^31 - 1,
// computed in 32 bits by splitting the multiplication (127773 = m / 16807, 2836 = m % 16807).
int32_t nextSeedValue(int32_t value)
{
    const int32_t high = value / 127773;
    const int32_t low = value % 127773;
    int32_t product = 16807 * low - 2836 * high;
    if (product < 0)
        product += 2147483647;
    return product;
}

const int kValuesSkipped = 310;

} // namespace

DesktopRand::DesktopRand(uint32_t seed) : position(0)
{
    int32_t value = static_cast<int32_t>(seed == 0 ? 1 : seed);
    state[0] = static_cast<uint32_t>(value);
    for (int i = 1; i < kLag; ++i) {
        value = nextSeedValue(value);
        state[i] = static_cast<uint32_t>(value);
    }
    // The three values after the seeded ones repeat the first three, which the
    // ring already holds where they belong; the sums start after them.
    position = kShortLag;
    for (int i = 0; i < kValuesSkipped; ++i)
        next();
}

int DesktopRand::next()
{
    // The ring holds the last kLag values; the slot of the oldest gets the new one.
    const unsigned slot = position;
    state[slot] += state[(slot + kLag - kShortLag) % kLag];
    position = (slot + 1) % kLag;
    return static_cast<int>(state[slot] >> 1);
}
