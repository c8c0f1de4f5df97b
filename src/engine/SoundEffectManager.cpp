#include "SoundEffectManager.h"

#include <cstdio>

#include "MediaFile.h"
#include "NumberedFiles.h"

namespace {

const int kPathBufferSize = 200;

// Why a sample cannot start on the requested channel, or NULL when it can.
const char* refusal(bool onGivenChannel, unsigned int channel)
{
    // Once the device is closed the mixer forgets its channels but not their
    // count, and would play into freed memory.
    if (Mix_QuerySpec(NULL, NULL, NULL) == 0)
        return "the audio device is closed";
    // An unallocated channel is silently ignored, and a huge one would be read
    // as -1 (any free channel): name the fault instead.
    if (onGivenChannel && channel >= static_cast<unsigned int>(Mix_AllocateChannels(-1)))
        return "no such mixer channel";
    return NULL;
}

// The index goes out as an int so that an index of 4294967295 reads -1.
void reportCannotPlay(unsigned int index, const char* reason)
{
    fprintf(stderr, "Couldn't play sample %i: %s\n", static_cast<int>(index), reason);
}

} // namespace

SoundEffectManager::SoundEffectManager(const char* directory)
{
    // A path cut short by the buffer names no file of ours: it counts as missing.
    const NumberedFileSearch search =
        loadNumberedFiles(directory, "wav", kPathBufferSize, [this](const char* path) { return addSample(path) >= 0; });
    fprintf(stderr, "%s is missing\n", search.endedAt.c_str());
}

int SoundEffectManager::addSample(const char* path)
{
    // A FIFO would hang the mixer's reader: only regular files are samples.
    SDL_RWops* file = openMediaFile(path);
    if (file == NULL)
        return -1;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(file, 1);
    if (chunk == NULL)
        return -1;
    samples.push_back(chunk);
    return static_cast<int>(samples.size()) - 1;
}

void SoundEffectManager::playSample(unsigned int index)
{
    playSample(index, false, 0);
}

void SoundEffectManager::playSample(unsigned int index, bool onFirstChannel)
{
    playSample(index, onFirstChannel, 0);
}

void SoundEffectManager::playSample(unsigned int index, bool onGivenChannel, unsigned int channel)
{
    if (index >= samples.size()) {
        printf("Sample %i is out of bounds\n", static_cast<int>(index));
        return;
    }
    if (const char* reason = refusal(onGivenChannel, channel)) {
        reportCannotPlay(index, reason);
        return;
    }
    const int chosen = onGivenChannel ? static_cast<int>(channel) : -1;
    if (Mix_PlayChannelTimed(chosen, samples[index], 0, -1) < 0)
        reportCannotPlay(index, SDL_GetError());
}
