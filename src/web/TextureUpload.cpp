#include "TextureUpload.h"

#define GL_GLEXT_PROTOTYPES
#include <GL/glext.h>

namespace {

// What a colour key on pure black does in a blit: those pixels become
// transparent black, whatever alpha they had.
void clearBlackPixels(unsigned char* rgba, int pixelCount)
{
    for (unsigned char* pixel = rgba; pixel < rgba + 4 * pixelCount; pixel += 4)
        if (pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0)
            pixel[3] = 0;
}

bool isPowerOfTwo(int side)
{
    return side > 0 && (side & (side - 1)) == 0;
}

} // namespace

// In the browser a loaded image already holds its pixels as R, G, B, A bytes
// and has no surface left to blit from, so the bytes go up as they are.
bool uploadMipmappedImage(SDL_Surface* image, GLuint texture, BlackPixels black)
{
    unsigned char* pixels = static_cast<unsigned char*>(image->pixels);
    if (black == BlackPixels::Transparent)
        clearBlackPixels(pixels, image->w * image->h);
    bindLinearTexture(texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, image->w, image->h, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    // WebGL builds mips only for power-of-two sides, and samples any other
    // texture only when it is clamped; the desktop would have resampled it.
    if (isPowerOfTwo(image->w) && isPowerOfTwo(image->h)) {
        glGenerateMipmap(GL_TEXTURE_2D);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    return true;
}
