#include "TextureUpload.h"

#include <GL/glu.h>
#include <cstring>
#include <string>

#include "MediaFile.h"
#include "SDL_image.h"

SDL_Surface* loadImageFile(const char* path)
{
    SDL_RWops* file = openMediaFile(path);
    if (file == NULL)
        return NULL;
    // The name's extension tells the type, as IMG_Load has it: a TGA image has no signature.
    const char* dot = strrchr(path, '.');
    std::string type = dot != NULL ? dot + 1 : "";
    return IMG_LoadTyped_RW(file, 1, dot != NULL ? &type[0] : NULL);
}

bool uploadMipmappedImage(SDL_Surface* image, GLuint texture, BlackPixels black)
{
    if (black == BlackPixels::Transparent)
        SDL_SetColorKey(image, SDL_SRCCOLORKEY, SDL_MapRGB(image->format, 0, 0, 0));
    // Without per-surface alpha blending the blit copies alpha instead of blending it;
    // keyed pixels are not copied and stay transparent black.
    SDL_SetAlpha(image, 0, 255);
    SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE, image->w, image->h, 32, 0x000000FF, 0x0000FF00,
                                             0x00FF0000, 0xFF000000);
    if (rgba == NULL)
        return false;
    SDL_BlitSurface(image, NULL, rgba, NULL);

    bindLinearTexture(texture);
    SDL_LockSurface(rgba);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, rgba->w, rgba->h, GL_RGBA, GL_UNSIGNED_BYTE, rgba->pixels);
    SDL_UnlockSurface(rgba);
    SDL_FreeSurface(rgba);
    return true;
}
