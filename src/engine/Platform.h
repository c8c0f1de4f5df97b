#ifndef TORVANE_PLATFORM_H
#define TORVANE_PLATFORM_H

#include <ctime>

#include "SDL.h"
#include "SDL_opengl.h"

// Frame timing state, written only by TQ_getNewDelta.
extern float TQ_OldDelta;
extern Uint32 TQ_OldStart;

int TQ_initSDL(int width, int height);
int TQ_initGL(int width, int height);
int TQ_initMixer(int frequency, int channels);
int TQ_setWindowTitle(const char* title);
void TQ_flip();
const GLubyte* TQ_getExtensions();
void TQ_delay(int milliseconds);
float TQ_getNewDelta();
Uint32 TQ_getTicks();
void TQ_clearScreen();

// Seconds between two readings of the millisecond counter; the unsigned
// subtraction keeps the result right when the counter wraps past 2^32 - 1.
float TQ_secondsBetween(Uint32 start, Uint32 now);

tm* getLocalTime();
int TQ_getMonth();
int TQ_getDay();
int TQ_getYear();
int TQ_getHour();
int TQ_getMinute();

#endif
