// The browser's side of the mixer. Its SDL_mixer plays through the page's audio,
// each sound decoded by the browser (WAV and Ogg Vorbis alike) and mixed on 32
// channels; where it answers the engine otherwise than the desktop's (WebGaps.h
// says where), these answer as the desktop's does.

#include <emscripten.h>

#undef Mix_OpenAudio
#undef Mix_QuerySpec
#undef Mix_AllocateChannels
#undef Mix_CloseAudio

namespace {

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
