// rand() and srand() of the browser build: the desktop's sequence (DesktopRand.h)
// in place of the browser C library's own. Both are defined here, so the
// library's pair is never linked in beside them.

#include <cstdlib>

#include "DesktopRand.h"

namespace {

DesktopRand& generator()
{
    static DesktopRand unseeded;
    return unseeded;
}

} // namespace

extern "C" int rand(void)
{
    return generator().next();
}

extern "C" void srand(unsigned seed)
{
    generator() = DesktopRand(seed);
}
