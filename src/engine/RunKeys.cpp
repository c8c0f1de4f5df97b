#include "RunKeys.h"

#include "SDL.h"

#include "RunStream.h"

// The desktop's key symbols are the run's own.
static_assert(SDLK_LAST == kRunKeyCount, "a run numbers keys as SDL 1.2 does");

int runKeyFromNative(int key)
{
    return key >= 0 && key < SDLK_LAST ? key : -1;
}

int nativeKeyFromRun(int key)
{
    return runKeyFromNative(key);
}

int nativeKeyCount()
{
    return SDLK_LAST;
}
