#include <cstdio>
#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "Platform.h"
#include "SDL_mixer.h"
#include "TestFolder.h"

namespace {

std::vector<Sint16> samplesIn(const std::string& path)
{
    std::vector<Sint16> samples;
    FILE* file = fopen(path.c_str(), "rb");
    if (file == NULL)
        return samples;
    Sint16 block[4096];
    size_t count;
    while ((count = fread(block, sizeof block[0], 4096, file)) > 0)
        samples.insert(samples.end(), block, block + count);
    fclose(file);
    return samples;
}

size_t soundingSamples(const std::vector<Sint16>& samples)
{
    size_t count = 0;
    for (Sint16 sample : samples)
        count += sample != 0 ? 1 : 0;
    return count;
}

// Audio tests listen through SDL's disk driver. Under sdl12-compat the file is
// written at the rate and channel count SDL2 chose (22050 Hz asked becomes
// 44100 Hz, mono becomes stereo), while Mix_QuerySpec reports the mixer's own
// format; so chunks are built from the queried format, and the file is read
// for sound against silence, not for positions in time.
class DiskOutput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output().c_str(), 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(TQ_initMixer(22050, 4), 0) << Mix_GetError();
    }

    void TearDown() override
    {
        if (!closed)
            Mix_CloseAudio();
        SDL_Quit();
    }

    // The driver writes its last buffer when the device closes.
    std::vector<Sint16> closeAndRead()
    {
        Mix_CloseAudio();
        closed = true;
        return samplesIn(output());
    }

    std::string output() const { return folder.file("mixed.raw"); }

    TestFolder folder;
    bool closed = false;
};

} // namespace

TEST_F(DiskOutput, StaysSilentWhileNothingPlays)
{
    SDL_Delay(400);
    const std::vector<Sint16> samples = closeAndRead();
    EXPECT_FALSE(samples.empty());
    EXPECT_EQ(soundingSamples(samples), 0u);
}

TEST_F(DiskOutput, CarriesAChunkBuiltFromTheQueriedFormat)
{
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_TRUE(Mix_QuerySpec(&frequency, &format, &channels));
    ASSERT_EQ(format, AUDIO_S16LSB);
    // A fifth of a second of square wave, loud in every channel.
    const int frames = frequency / 5;
    std::vector<Sint16> wave(static_cast<size_t>(frames) * channels);
    for (size_t i = 0; i < wave.size(); ++i)
        wave[i] = (i / channels / 50) % 2 ? 8000 : -8000;
    Mix_Chunk* chunk = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(wave.data()),
                                         static_cast<Uint32>(wave.size() * sizeof wave[0]));
    ASSERT_NE(chunk, nullptr);
    const int channel = Mix_PlayChannel(-1, chunk, 0);
    ASSERT_GE(channel, 0) << Mix_GetError();
    for (int waited = 0; Mix_Playing(channel) && waited < 5000; waited += 10)
        SDL_Delay(10);
    SDL_Delay(400);
    const std::vector<Sint16> samples = closeAndRead();
    Mix_FreeChunk(chunk);
    // Every sample played is in the file, at the queried rate or a higher one.
    EXPECT_GE(soundingSamples(samples), wave.size());
    EXPECT_LT(soundingSamples(samples), samples.size());
}
