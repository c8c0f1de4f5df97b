#ifndef TEST_AUDIO_TEST_SUPPORT_H
#define TEST_AUDIO_TEST_SUPPORT_H

// Header-only helpers for the audio layer: WAV fixtures, a mixer whose output
// goes to a file, and a look at what that file holds.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "Platform.h"
#include "SDL.h"
#include "SDL_mixer.h"

inline void appendLittleEndian(std::string& bytes, uint32_t value, int width)
{
    for (int i = 0; i < width; ++i)
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A mono 16-bit PCM RIFF file holding a sine wave.
inline std::string sineWav(int rate, double seconds, double frequency, int amplitude)
{
    const uint32_t frames = static_cast<uint32_t>(rate * seconds);
    std::string bytes = "RIFF";
    appendLittleEndian(bytes, 36 + frames * 2, 4);
    bytes += "WAVEfmt ";
    appendLittleEndian(bytes, 16, 4);
    appendLittleEndian(bytes, 1, 2);  // PCM
    appendLittleEndian(bytes, 1, 2);  // mono
    appendLittleEndian(bytes, rate, 4);
    appendLittleEndian(bytes, rate * 2, 4);
    appendLittleEndian(bytes, 2, 2);
    appendLittleEndian(bytes, 16, 2);
    bytes += "data";
    appendLittleEndian(bytes, frames * 2, 4);
    for (uint32_t i = 0; i < frames; ++i) {
        const double value = amplitude * std::sin(2.0 * M_PI * frequency * i / rate);
        appendLittleEndian(bytes, static_cast<uint16_t>(static_cast<int16_t>(std::lround(value))), 2);
    }
    return bytes;
}

// Polls a condition every few milliseconds; false if it never held in time.
inline bool waitUntil(const std::function<bool()>& condition, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// SDL audio and the mixer opened the engine's way, mixing into a file through
// SDL's disk driver. delayMs is the driver's pause per buffer: small values
// mix faster than real time, which keeps the tests short.
class TestMixer
{
public:
    TestMixer(const std::string& outputFile, int delayMs) : outputFile(outputFile)
    {
        // SDL reads these when its audio subsystem starts.
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", outputFile.c_str(), 1);
        setenv("SDL_DISKAUDIODELAY", std::to_string(delayMs).c_str(), 1);
        initialised = SDL_Init(SDL_INIT_AUDIO) == 0;
        // sdl12-compat's disk writer resamples some rates (22050 Hz is written at
        // 44100 Hz) while Mix_QuerySpec still reports the mixer's rate. At 48000 Hz
        // stereo both SDL 1.2 implementations write what the mixer mixes, so spans
        // measured in the file are in the queried rate's frames.
        opened = initialised && TQ_initMixer(48000, 2) == 0;
        Uint16 format = 0;
        if (opened)
            Mix_QuerySpec(&frequency, &format, &channels);
        signed16 = format == AUDIO_S16LSB;
    }

    ~TestMixer()
    {
        close();
        if (initialised)
            SDL_Quit();
    }

    bool ready() const { return opened && signed16 && channels > 0; }
    int rate() const { return frequency; }
    int outputChannels() const { return channels; }

    // Frames written to the output file so far.
    long framesWritten() const
    {
        std::ifstream file(outputFile, std::ios::binary | std::ios::ate);
        return file ? static_cast<long>(file.tellg()) / (2 * channels) : 0;
    }

    // Closes the device (if something else has not already) and returns every
    // sample value it wrote, channels interleaved.
    std::vector<int16_t> closeAndReadOutput()
    {
        close();
        std::ifstream file(outputFile, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        std::vector<int16_t> samples(bytes.size() / 2);
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                              (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
        return samples;
    }

private:
    void close()
    {
        while (Mix_QuerySpec(NULL, NULL, NULL) > 0)
            Mix_CloseAudio();
    }

    std::string outputFile;
    bool initialised = false;
    bool opened = false;
    bool signed16 = false;
    int frequency = 0;
    int channels = 0;
};

// Where the output is louder than a threshold, in frames, and how loud it gets.
struct Loudness
{
    long firstFrame = -1;
    long lastFrame = -1;
    int peak = 0;

    bool heard() const { return firstFrame >= 0; }
    long spanFrames() const { return heard() ? lastFrame - firstFrame + 1 : 0; }
};

inline Loudness measure(const std::vector<int16_t>& samples, int channels, int threshold)
{
    Loudness loudness;
    for (size_t i = 0; i < samples.size(); ++i) {
        const int level = std::abs(static_cast<int>(samples[i]));
        if (level > loudness.peak)
            loudness.peak = level;
        if (level <= threshold)
            continue;
        const long frame = static_cast<long>(i) / channels;
        if (!loudness.heard())
            loudness.firstFrame = frame;
        loudness.lastFrame = frame;
    }
    return loudness;
}

#endif
