// The browser's side of the mixer. Its SDL_mixer plays through the page's audio,
// each sound decoded by the browser (WAV and Ogg Vorbis alike) and mixed on 32
// channels; where it answers the engine otherwise than the desktop's (WebGaps.h
// says where), these answer as the desktop's does.

#include <emscripten.h>

#undef Mix_OpenAudio
#undef Mix_QuerySpec
#undef Mix_AllocateChannels
#undef Mix_CloseAudio
#undef Mix_LoadMUSType_RW
#undef SDL_RWFromFP

namespace {

const int kPathSize = 512;

// The name under which the browser's file system keeps what a descriptor reads.
EM_JS(int, descriptorPath, (int descriptor, char* buffer, int size), {
    const stream = FS.getStream(descriptor);
    if (!stream || lengthBytesUTF8(stream.path) >= size)
        return 0;
    stringToUTF8(stream.path, buffer, size);
    return 1;
});

// What Mix_OpenAudio was asked for, while the device is open.
struct OpenedDevice
{
    bool open;
    int frequency;
    Uint16 format;
    int channels;
};
OpenedDevice device = {false, 0, 0, 0};

} // namespace

int webMixOpenAudio(int frequency, Uint16 format, int channels, int chunkSize)
{
    const int result = Mix_OpenAudio(frequency, format, channels, chunkSize);
    if (result == 0)
        device = OpenedDevice{true, frequency, format, channels};
    return result;
}

int webMixQuerySpec(int* frequency, Uint16* format, int* channels)
{
    if (!device.open)
        return 0;
    if (frequency != NULL)
        *frequency = device.frequency;
    if (format != NULL)
        *format = device.format;
    if (channels != NULL)
        *channels = device.channels;
    return 1;
}

int webMixAllocateChannels(int count)
{
    if (count < 0)
        return EM_ASM_INT({ return SDL.numChannels || 0; });
    return Mix_AllocateChannels(count);
}

void webMixCloseAudio()
{
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    Mix_CloseAudio();
    device.open = false;
}

// The engine opened the file once, a regular file; the browser's file system
// keeps it in memory, where nobody else changes it, so the mixer reads it by
// that name. Closed at once when asked to close it with the SDL_RWops.
SDL_RWops* webRWFromFP(FILE* file, int autoclose)
{
    char path[kPathSize];
    if (!descriptorPath(fileno(file), path, kPathSize))
        return NULL;
    SDL_RWops* named = SDL_RWFromFile(path, "rb");
    if (named != NULL && autoclose)
        fclose(file);
    return named;
}

// The browser decodes music by its content and reads no more of the file after.
Mix_Music* webMixLoadMUSType_RW(SDL_RWops* file, Mix_MusicType, int freeFile)
{
    Mix_Music* music = Mix_LoadMUS_RW(file);
    if (freeFile)
        SDL_FreeRW(file);
    return music;
}
