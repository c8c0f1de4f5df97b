#ifndef TORVANE_SOUNDEFFECTMANAGER_H
#define TORVANE_SOUNDEFFECTMANAGER_H

#include <vector>

#include "SDL_mixer.h"

// Numbered WAV files of one directory as mixer chunks, played by index.
// The chunks stay loaded until the process ends.
class SoundEffectManager
{
public:
    explicit SoundEffectManager(const char* directory);
    SoundEffectManager(const SoundEffectManager&) = delete;
    SoundEffectManager& operator=(const SoundEffectManager&) = delete;

    int addSample(const char* path);
    void playSample(unsigned int index);
    void playSample(unsigned int index, bool onFirstChannel);
    void playSample(unsigned int index, bool onGivenChannel, unsigned int channel);

private:
    std::vector<Mix_Chunk*> samples;
};

#endif
