#ifndef TORVANE_TEXTUREUPLOAD_H
#define TORVANE_TEXTUREUPLOAD_H

#include "SDL.h"
#include "SDL_opengl.h"

// Loads the image file at path, a regular file opened once; NULL when it is
// missing or holds no image the platform reads. The caller frees it.
SDL_Surface* loadImageFile(const char* path);

// What becomes of pure black pixels (0, 0, 0) when an image turns into a texture.
enum class BlackPixels { Kept, Transparent };

// Uploads a loaded image as RGBA bytes with a full mip chain into `texture`,
// which is left bound with linear filtering. The image stays the caller's.
// False, with nothing bound, when there is no memory for the conversion.
bool uploadMipmappedImage(SDL_Surface* image, GLuint texture, BlackPixels black);

// Binds `texture` and filters it linearly both ways: the mips are built, not used.
inline void bindLinearTexture(GLuint texture)
{
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

#endif
