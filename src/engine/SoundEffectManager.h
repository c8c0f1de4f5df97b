#ifndef TORVANE_SOUNDEFFECTMANAGER_H
#define TORVANE_SOUNDEFFECTMANAGER_H

/// @file
/// SoundEffectManager: numbered sound effects, played by index.

#include <vector>

#include "SDL_mixer.h"

/// The numbered WAV files of one folder as mixer chunks, played by index.
///
/// Create it after TQ_initMixer: without an open audio device nothing loads. The
/// chunks stay loaded until the process ends; destroying the manager only drops
/// the list. Which channel plays what is the mixer's business. Not copyable.
class SoundEffectManager
{
public:
    /// Loads directory/0.wav, 1.wav and so on up to the first number that fails,
    /// which "%s is missing" names on standard error. The path must fit in 200 bytes.
    explicit SoundEffectManager(const char* directory);
    /// Not copyable: the manager owns its chunks.
    SoundEffectManager(const SoundEffectManager&) = delete;
    /// Not assignable, for the same reason.
    SoundEffectManager& operator=(const SoundEffectManager&) = delete;

    /// Adds the sound at path (any format the mixer loads) as the next sample.
    /// Returns its index, or -1, silently, when it cannot be loaded.
    int addSample(const char* path);
    /// Plays a sample once on the first free mixer channel. An index out of range
    /// says "Sample %i is out of bounds" on standard output; a sample that cannot
    /// start says "Couldn't play sample %i: %s" on standard error.
    void playSample(unsigned int index);
    /// Plays a sample once on channel 0 when onFirstChannel is set, replacing what
    /// plays there; otherwise on the first free channel.
    void playSample(unsigned int index, bool onFirstChannel);
    /// Plays a sample once on the given channel when onGivenChannel is set,
    /// replacing what plays there; otherwise on the first free channel.
    void playSample(unsigned int index, bool onGivenChannel, unsigned int channel);

private:
    std::vector<Mix_Chunk*> samples;
};

#endif
