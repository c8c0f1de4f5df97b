#ifndef GRUBNOSH_WEBRENDERER_H
#define GRUBNOSH_WEBRENDERER_H

// What the browser's side of the platform layer asks of whichever renderer the
// build draws with: the batched one of this folder, or the browser's general
// OpenGL emulation kept beside it for comparison.

#include "SDL_opengl.h"

// Draws everything gathered so far. Called before anything depends on the
// picture: the end of the frame and reading it back.
void webFlushDrawing();

// Gives `texture` an image of `width` x `height` pixels, R, G, B, A bytes with
// the top row first, filtered linearly both ways. The bytes stay the caller's.
void webStoreTexture(GLuint texture, int width, int height, const unsigned char* rgba);

#endif
