#ifndef GRUBNOSH_WEBTEXTURES_H
#define GRUBNOSH_WEBTEXTURES_H

// The textures of the browser's renderer. Small images are gathered into a few
// large page textures, so that quads of different images can share one draw;
// a texture name of the engine's stands for a region of a page.

#include "SDL_opengl.h"

// Where an image lies in its page: texture coordinate u of the image is
// u0 + u * du of the page, and likewise for v.
struct TextureRegion {
    int page = 0;
    float u0 = 0.0f, v0 = 0.0f, du = 0.0f, dv = 0.0f;
};

// The region that quads begun now sample: the bound texture's with texturing
// on, and a plain white one with texturing off or a texture that holds no
// image (which OpenGL draws untextured too).
TextureRegion webDrawingRegion(bool texturing);

// Binds a page for drawing, its texture made again first if the context was lost since.
void webUsePage(int page);

#endif
