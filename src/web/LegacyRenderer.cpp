// The browser's general OpenGL emulation as the renderer, kept to measure the
// batched one against (GRUBNOSH_WEB_RENDERER=legacy). It draws every quad at
// its glEnd, so nothing waits to be flushed. It does not ask for a lost WebGL
// context back: the emulation makes its buffers once and caches its shaders
// inside the runtime, where nothing outside can make them again, so its page
// goes on saying that the picture is gone.

#include "WebRenderer.h"

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
    // WebGL samples a texture whose sides are not powers of two only when it is
    // clamped; the desktop would have resampled it.
    if (!isPowerOfTwo(width) || !isPowerOfTwo(height)) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
}
