// The browser's image loading: the browser's IMG_Load decodes through an HTML
// canvas and reads it back twice per image; this decodes straight into a
// surface's RGBA bytes.

#include <cstring>

#include "RegularFile.h"
#include "TextureUpload.h"

extern "C" {
unsigned char* stbi_load_from_file(FILE* file, int* width, int* height, int* channels, int wantedChannels);
void stbi_image_free(void* pixels);
}

namespace {

const int kRgba = 4;

} // namespace

SDL_Surface* loadImageFile(const char* path)
{
    FILE* file = fopenRegularFile(path);
    if (file == NULL)
        return NULL;
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* decoded = stbi_load_from_file(file, &width, &height, &channels, kRgba);
    fclose(file);
    if (decoded == NULL)
        return NULL;
    // A software surface of the browser's SDL is always 4 bytes a pixel, R, G, B, A.
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0x000000FF, 0x0000FF00,
                                                0x00FF0000, 0xFF000000);
    if (surface != NULL && surface->pixels != NULL)
        memcpy(surface->pixels, decoded, static_cast<size_t>(width) * height * kRgba);
    stbi_image_free(decoded);
    return surface;
}
