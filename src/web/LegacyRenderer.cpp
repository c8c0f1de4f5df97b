// The browser's general OpenGL emulation as the renderer, kept to measure the
// batched one against (GRUBNOSH_WEB_RENDERER=legacy). It draws every quad at
// its glEnd, so nothing waits to be flushed.

#include "WebRenderer.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/glext.h>

namespace {

bool isPowerOfTwo(int side)
{
    return side > 0 && (side & (side - 1)) == 0;
}

} // namespace

void webFlushDrawing()
{
}

void webStoreTexture(GLuint texture, int width, int height, const unsigned char* rgba)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    // WebGL builds mips only for power-of-two sides, and samples any other
    // texture only when it is clamped; the desktop would have resampled it.
    if (isPowerOfTwo(width) && isPowerOfTwo(height)) {
        glGenerateMipmap(GL_TEXTURE_2D);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
}
