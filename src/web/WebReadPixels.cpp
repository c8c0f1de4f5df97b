#include <cstring>
#include <vector>

#include "WebRenderer.h"

#undef glReadPixels

void webReadPixels(GLint x, GLint y, GLsizei width, GLsizei height, GLenum format, GLenum type, void* pixels)
{
    webFlushDrawing(); // the picture read back holds every quad drawn so far
    if (format != GL_RGB || type != GL_UNSIGNED_BYTE || width <= 0 || height <= 0) {
        glReadPixels(x, y, width, height, format, type, pixels);
        return;
    }
    std::vector<unsigned char> rgba(static_cast<size_t>(width) * height * 4);
    GLint alignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);

    const size_t stride = (static_cast<size_t>(width) * 3 + alignment - 1) / alignment * alignment;
    const unsigned char* source = rgba.data();
    for (GLsizei row = 0; row < height; ++row) {
        unsigned char* target = static_cast<unsigned char*>(pixels) + row * stride;
        for (GLsizei column = 0; column < width; ++column, source += 4, target += 3)
            memcpy(target, source, 3);
    }
}
