#include "TextureUpload.h"

#include "WebRenderer.h"

namespace {

// What a colour key on pure black does in a blit: those pixels become
// transparent black, whatever alpha they had.
void clearBlackPixels(unsigned char* rgba, int pixelCount)
{
    for (unsigned char* pixel = rgba; pixel < rgba + 4 * pixelCount; pixel += 4)
        if (pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0)
            pixel[3] = 0;
}

} // namespace

// In the browser a loaded image already holds its pixels as R, G, B, A bytes
// and has no surface left to blit from, so the bytes go to the renderer as they are.
bool uploadMipmappedImage(SDL_Surface* image, GLuint texture, BlackPixels black)
{
    unsigned char* pixels = static_cast<unsigned char*>(image->pixels);
    if (black == BlackPixels::Transparent)
        clearBlackPixels(pixels, image->w * image->h);
    webStoreTexture(texture, image->w, image->h, pixels);
    bindLinearTexture(texture);
    return true;
}
