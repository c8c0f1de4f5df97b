#include "UsageChecks.h"

#include <cstdio>
#include <set>
#include <string>

#include "SDL.h"

namespace {

bool twoDStateSet = false;

bool openGLWindowOpen()
{
    const SDL_Surface* screen = SDL_GetVideoSurface();
    return screen != NULL && (screen->flags & SDL_OPENGL) != 0;
}

} // namespace

bool openGLWindowReadyFor(const char* who)
{
    if (openGLWindowOpen())
        return true;
    static std::set<std::string> told;
    if (told.insert(who).second)
        fprintf(stderr, "FAIL) %s created before the window: call TQ_initSDL and TQ_initGL first\n", who);
    return false;
}

void noteTwoDStateSet()
{
    twoDStateSet = openGLWindowOpen();
}

void warnUnlessTwoDStateSet()
{
    static bool told = false;
    if (twoDStateSet || told)
        return;
    told = true;
    fprintf(stderr, "WARN) Drawing without the 2D state: call TQ_initGL after TQ_initSDL\n");
}
