#ifndef TORVANE_PLATFORM_H
#define TORVANE_PLATFORM_H

/// @file
/// The platform layer: the window and its 2D drawing state, the audio device,
/// the frame time, the millisecond clock and the local calendar. Free functions
/// over SDL 1.2, SDL_mixer and OpenGL; none of them prints anything.

#include <ctime>

#include "SDL.h"
#include "SDL_opengl.h"

/// The frame time TQ_getNewDelta returned last, in seconds; 0 before its first call.
extern float TQ_OldDelta;
/// SDL's millisecond counter as TQ_getNewDelta last left it; 0 before its first call.
extern Uint32 TQ_OldStart;

/// Initialises every SDL subsystem and opens a width × height pixel window with
/// an OpenGL context, captioned "Torvane Quillet". Call it first, once.
/// SDL_Quit is registered with atexit, so SDL shuts down when the process ends.
/// Returns 0, or -1 when SDL or the video mode fails (SDL_GetError() says why).
int TQ_initSDL(int width, int height);

/// Sets the 2D state every drawing call relies on: one unit is one pixel of a
/// width × height area, origin at the top-left corner, x to the right and y
/// downwards; texturing and blending on; clear colour black. Call it right after
/// TQ_initSDL: drawing without it warns once on standard error. Always returns 0.
int TQ_initGL(int width, int height);

/// Opens the audio device: frequency in Hz (22050, 44100), channels 1 for mono
/// or 2 for stereo, signed 16-bit samples. Needs TQ_initSDL first. Returns 0, or
/// -1 when the device cannot be opened. A MusicManager closes it when destroyed.
int TQ_initMixer(int frequency, int channels);

/// Sets the window's caption; the text is copied. Always returns 0.
int TQ_setWindowTitle(const char* title);

/// Shows the frame drawn since the last call (swaps the buffers).
void TQ_flip();

/// The space-separated names of the OpenGL extensions of the window's context.
/// The string belongs to OpenGL; null before TQ_initSDL has made the context.
const GLubyte* TQ_getExtensions();

/// Waits the given number of milliseconds; 0 only yields the processor.
void TQ_delay(int milliseconds);

/// Seconds since the previous call, with millisecond resolution: call it once,
/// first thing in each frame. Not clamped, so a stall comes back whole; the first
/// call measures from SDL's start. Stores the result in TQ_OldDelta.
float TQ_getNewDelta();

/// Milliseconds since TQ_initSDL initialised SDL.
Uint32 TQ_getTicks();

/// Clears the frame to the clear colour (black unless changed with glClearColor).
void TQ_clearScreen();

/// Seconds from the millisecond reading start to now, as TQ_getNewDelta counts
/// them: the unsigned subtraction keeps the result right when the counter wraps
/// past 2^32 - 1.
float TQ_secondsBetween(Uint32 start, Uint32 now);

/// The current local date and time. The record is the C library's static one:
/// each call overwrites it, and the caller never frees it.
tm* getLocalTime();
/// The current month, 0 (January) to 11: zero-based.
int TQ_getMonth();
/// The current day of the month, 1 to 31.
int TQ_getDay();
/// The current year in full (four digits, not years since 1900).
int TQ_getYear();
/// The current hour, 0 to 23.
int TQ_getHour();
/// The current minute, 0 to 59. Each date call reads the clock afresh.
int TQ_getMinute();

#endif
