#include "Platform.h"

#include <cstdlib>

#include "SDL_mixer.h"
#include <GL/glu.h>

#include "RunHooks.h"
#include "UsageChecks.h"

float TQ_OldDelta = 0.0f;
Uint32 TQ_OldStart = 0;

int TQ_initSDL(int width, int height)
{
    if (SDL_Init(SDL_INIT_EVERYTHING) < 0)
        return -1;
    atexit(SDL_Quit);
    const Uint32 flags = SDL_HWSURFACE | SDL_ASYNCBLIT | SDL_OPENGL | SDL_ANYFORMAT;
    if (SDL_SetVideoMode(width, height, 0, flags) == NULL)
        return -1;
    TQ_setWindowTitle("Torvane Quillet");
    startRunsFromEnvironment();
    return 0;
}

int TQ_initGL(int width, int height)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, width, height, 0.0);
#ifndef __EMSCRIPTEN__ // WebGL only shades smoothly; the browser's GL emulation would complain
    glShadeModel(GL_SMOOTH);
#endif
    glClearDepth(1.0);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glDepthFunc(GL_LEQUAL);
#ifndef __EMSCRIPTEN__ // and WebGL has no such hint
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
#endif
    noteTwoDStateSet();
    return 0;
}

int TQ_initMixer(int frequency, int channels)
{
    if (Mix_OpenAudio(frequency, AUDIO_S16LSB, channels, 4096) != 0)
        return -1;
    return 0;
}

int TQ_setWindowTitle(const char* title)
{
    SDL_WM_SetCaption(title, NULL);
    noteRunCaption(title);
    return 0;
}

void TQ_flip()
{
    SDL_GL_SwapBuffers();
}

const GLubyte* TQ_getExtensions()
{
    return glGetString(GL_EXTENSIONS);
}

void TQ_delay(int milliseconds)
{
    SDL_Delay(milliseconds);
}

float TQ_secondsBetween(Uint32 start, Uint32 now)
{
    const Uint32 elapsed = now - start;
    return static_cast<float>(elapsed / 1000.0);
}

float TQ_getNewDelta()
{
    const Uint32 now = SDL_GetTicks();
    // A run being replayed gives its recorded milliseconds instead; one being recorded keeps them.
    TQ_OldDelta = TQ_secondsBetween(0, runFrameMilliseconds(now - TQ_OldStart));
    // A second reading: the time spent between the two belongs to no frame.
    TQ_OldStart = SDL_GetTicks();
    return TQ_OldDelta;
}

Uint32 TQ_getTicks()
{
    return SDL_GetTicks();
}

void TQ_clearScreen()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

tm* getLocalTime()
{
    const time_t now = time(NULL);
    return localtime(&now);
}

int TQ_getMonth()
{
    return getLocalTime()->tm_mon;
}

int TQ_getDay()
{
    return getLocalTime()->tm_mday;
}

int TQ_getYear()
{
    return getLocalTime()->tm_year + 1900;
}

int TQ_getHour()
{
    return getLocalTime()->tm_hour;
}

int TQ_getMinute()
{
    return getLocalTime()->tm_min;
}
