#include "TextureUpload.h"

#include <GL/glu.h>

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
