#include "ImageTexture.h"

#include "UsageChecks.h"

ImageTexture makeImageTexture(const char* path, const char* user, BlackPixels black, GLuint& texture)
{
    SDL_Surface* image = loadImageFile(path);
    if (image == NULL)
        return ImageTexture::NoImage;
    ImageTexture result = ImageTexture::Made;
    if (!openGLWindowReadyFor(user)) {
        result = ImageTexture::NoWindow;
    } else {
        glGenTextures(1, &texture);
        if (!uploadMipmappedImage(image, texture, black)) {
            glDeleteTextures(1, &texture);
            result = ImageTexture::NoMemory;
        }
    }
    SDL_FreeSurface(image);
    return result;
}
