// What the browser's SDL does differently with software surfaces: their depth,
// and writing them as BMP files, which it leaves undone. A written file is
// offered to the page, which hands it to the player as a download.

#include <cstdio>
#include <vector>

#include <emscripten.h>

#undef SDL_CreateRGBSurface

namespace {

const int kBmpHeaderSize = 54;
const int kPathSize = 256;

// The browser's SDL keeps the name given to SDL_RWFromFile under the handle it returned.
EM_JS(int, rwopsFileName, (SDL_RWops* handle, char* buffer, int size), {
    const entry = SDL.rwops[handle];
    if (!entry || !entry.filename || lengthBytesUTF8(entry.filename) >= size)
        return 0;
    stringToUTF8(entry.filename, buffer, size);
    return 1;
});

void putLittleEndian(unsigned char* at, Uint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        at[i] = static_cast<unsigned char>(value >> (8 * i));
}

unsigned char channel(Uint32 pixel, Uint32 mask)
{
    return mask == 0 ? 0 : static_cast<unsigned char>((pixel & mask) >> __builtin_ctz(mask));
}

// A 24-bit BMP: a 54-byte header, then the rows bottom-up as B, G, R, each
// padded to four bytes.
std::vector<unsigned char> encodeBmp(const SDL_Surface* surface)
{
    const SDL_PixelFormat* format = surface->format;
    const int rowSize = (surface->w * 3 + 3) & ~3;
    std::vector<unsigned char> file(kBmpHeaderSize + static_cast<size_t>(rowSize) * surface->h, 0);
    unsigned char* header = file.data();
    header[0] = 'B';
    header[1] = 'M';
    putLittleEndian(header + 2, static_cast<Uint32>(file.size()), 4);
    putLittleEndian(header + 10, kBmpHeaderSize, 4);
    putLittleEndian(header + 14, 40, 4);
    putLittleEndian(header + 18, static_cast<Uint32>(surface->w), 4);
    putLittleEndian(header + 22, static_cast<Uint32>(surface->h), 4);
    putLittleEndian(header + 26, 1, 2);
    putLittleEndian(header + 28, 24, 2);
    const unsigned char* pixels = static_cast<const unsigned char*>(surface->pixels);
    for (int y = 0; y < surface->h; ++y) {
        const unsigned char* source = pixels + y * surface->pitch;
        unsigned char* target = file.data() + kBmpHeaderSize + (surface->h - 1 - y) * rowSize;
        for (int x = 0; x < surface->w; ++x, source += format->BytesPerPixel, target += 3) {
            Uint32 pixel = 0;
            for (int i = 0; i < format->BytesPerPixel; ++i)
                pixel |= static_cast<Uint32>(source[i]) << (8 * i);
            target[0] = channel(pixel, format->Bmask);
            target[1] = channel(pixel, format->Gmask);
            target[2] = channel(pixel, format->Rmask);
        }
    }
    return file;
}

bool writeFile(const char* path, const std::vector<unsigned char>& bytes)
{
    FILE* file = fopen(path, "wb");
    if (file == NULL)
        return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}

} // namespace

SDL_Surface* webCreateRGBSurface(Uint32 flags, int width, int height, int depth, Uint32 redMask,
                                 Uint32 greenMask, Uint32 blueMask, Uint32 alphaMask)
{
    SDL_Surface* surface = SDL_CreateRGBSurface(flags, width, height, depth, redMask, greenMask, blueMask, alphaMask);
    // The buffer holds 4 bytes a pixel, so a 24-bit layout always fits in it.
    if (surface != NULL && surface->pixels != NULL && depth == 24) {
        surface->format->BitsPerPixel = 24;
        surface->format->BytesPerPixel = 3;
        surface->format->Amask = alphaMask;
        surface->pitch = (width * 3 + 3) & ~3;
    }
    return surface;
}

extern "C" int SDL_SaveBMP_RW(SDL_Surface* surface, SDL_RWops* destination, int freeDestination)
{
    char path[kPathSize];
    const bool named = rwopsFileName(destination, path, kPathSize);
    if (freeDestination)
        SDL_FreeRW(destination);
    if (!named || surface == NULL || surface->pixels == NULL || !writeFile(path, encodeBmp(surface)))
        return -1;
    EM_ASM({
        if (Module.onFileWritten)
            Module.onFileWritten(UTF8ToString($0));
    }, path);
    return 0;
}
