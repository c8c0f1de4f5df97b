#ifndef GRUBNOSH_WEBGAPS_H
#define GRUBNOSH_WEBGAPS_H

// Read before every source of the browser build: where the browser's SDL 1.2,
// SDL_image and WebGL lack what the desktop's have or do it differently. The
// web sources beside this file fill the gaps; the engine and game stay as they are.

#include <stdio.h>

#include "SDL.h"
#include "SDL_mixer.h"
#include "SDL_opengl.h"

#ifdef __cplusplus
extern "C" {
#endif

// Indexed by key symbol, as on the desktop; the runtime keeps it up to date but
// declares it nowhere.
Uint8* SDL_GetKeyState(int* numkeys);

// The browser's SDL gives every software surface 4 bytes a pixel, whatever depth
// is asked for; this one keeps a 24-bit surface 24 bits deep, as the desktop does.
SDL_Surface* webCreateRGBSurface(Uint32 flags, int width, int height, int depth, Uint32 redMask,
                                 Uint32 greenMask, Uint32 blueMask, Uint32 alphaMask);
#define SDL_CreateRGBSurface webCreateRGBSurface

// WebGL reads the frame back only as RGBA; this one also delivers RGB rows,
// padded to the pack alignment, as desktop OpenGL does.
void webReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels);
#define glReadPixels webReadPixels

// The browser's SDL has no SDL_RWops over a stdio file; this one names the
// file the stream reads, which the browser's SDL_mixer then reads by name.
SDL_RWops* webRWFromFP(FILE* file, int autoclose);
#define SDL_RWFromFP webRWFromFP

// A frame ends at the swap: what the renderer still holds is drawn, then the swap
// waits for the browser's next animation frame (and for the page to be shown
// and to have its picture); the zero delay after it then waits no more.
void webSwapBuffers(void);
#define SDL_GL_SwapBuffers webSwapBuffers
void webDelay(Uint32 milliseconds);
#define SDL_Delay webDelay

// Milliseconds as SDL counts them, less the time the page spent hidden or
// without its picture.
Uint32 webGetTicks(void);
#define SDL_GetTicks webGetTicks

// The browser's SDL_mixer cannot say how the device was opened, answers a query
// for the number of channels (-1) with -1, and its close leaves every sound
// playing; these give the desktop's answers.
int webMixOpenAudio(int frequency, Uint16 format, int channels, int chunkSize);
#define Mix_OpenAudio webMixOpenAudio
int webMixQuerySpec(int* frequency, Uint16* format, int* channels);
#define Mix_QuerySpec webMixQuerySpec
int webMixAllocateChannels(int count);
#define Mix_AllocateChannels webMixAllocateChannels
void webMixCloseAudio(void);
#define Mix_CloseAudio webMixCloseAudio
// ... and has no Mix_LoadMUSType_RW; this one loads music as its Mix_LoadMUS_RW does.
Mix_Music* webMixLoadMUSType_RW(SDL_RWops* file, Mix_MusicType type, int freeFile);
#define Mix_LoadMUSType_RW webMixLoadMUSType_RW

#ifdef __cplusplus
}
#endif

#endif
