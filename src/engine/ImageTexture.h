#ifndef TORVANE_IMAGE_TEXTURE_H
#define TORVANE_IMAGE_TEXTURE_H

#include "TextureUpload.h"

// How turning an image file into a texture ended.
enum class ImageTexture { Made, NoImage, NoWindow, NoMemory };

// Loads the image file at path and uploads it, with its mipmaps, into a new
// texture name, left in `texture` when Made. Otherwise nothing is kept:
// NoImage when the file is missing or holds no image, NoWindow before the
// OpenGL window (said on standard error, naming `user`), NoMemory when the
// conversion finds no memory. The caller says the rest in its own words.
ImageTexture makeImageTexture(const char* path, const char* user, BlackPixels black, GLuint& texture);

#endif
