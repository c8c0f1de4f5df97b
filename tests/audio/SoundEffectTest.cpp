#include <gtest/gtest.h>

#include "AudioTestSupport.h"
#include "OutputCapture.h"
#include "SoundEffectManager.h"
#include "TestFolder.h"

namespace {

const double kSampleSeconds = 0.1;
const int kAmplitude = 8000;
const int kSilence = 64;

class SoundEffects : public ::testing::Test
{
protected:
    SoundEffects() : mixer(folder.file("mixed.raw"), 5) {}

    void SetUp() override { ASSERT_TRUE(mixer.ready()) << "the disk audio driver did not open: " << SDL_GetError(); }

    std::string sine(double seconds = kSampleSeconds) { return sineWav(mixer.rate(), seconds, 440.0, kAmplitude); }

    // Writes 0.wav ... (count-1).wav into a sub-folder and returns its path.
    std::string wavFolder(const std::string& name, int count, double seconds = kSampleSeconds)
    {
        for (int n = 0; n < count; ++n)
            folder.write(name + "/" + std::to_string(n) + ".wav", sine(seconds));
        return folder.file(name);
    }

    // Runs the calls as one step of the mixer, waits for the channels to fall
    // silent and measures what reached the output.
    Loudness listenTo(const std::function<void()>& calls)
    {
        SDL_LockAudio();
        calls();
        SDL_UnlockAudio();
        EXPECT_TRUE(waitUntil([] { return Mix_Playing(-1) == 0; }, 5.0)) << "the sample never ended";
        return measure(mixer.closeAndReadOutput(), mixer.outputChannels(), kSilence);
    }

    long sampleFrames() const { return static_cast<long>(mixer.rate() * kSampleSeconds); }

    TestFolder folder;
    TestMixer mixer;
};

} // namespace

TEST_F(SoundEffects, LoadsNumberedFilesUntilTheFirstGap)
{
    const std::string directory = wavFolder("sounds", 3);
    folder.write("sounds/4.wav", sine());
    OutputCapture capture;
    SoundEffectManager sounds(directory.c_str());
    sounds.playSample(2);
    sounds.playSample(3);
    sounds.playSample(3, true);
    sounds.playSample(3, true, 0);
    sounds.playSample(4294967295u);
    Mix_HaltChannel(-1);
    EXPECT_EQ(capture.errLines(), std::vector<std::string>{directory + "/3.wav is missing"});
    const std::vector<std::string> outOfBounds = {"Sample 3 is out of bounds", "Sample 3 is out of bounds",
                                                  "Sample 3 is out of bounds", "Sample -1 is out of bounds"};
    EXPECT_EQ(capture.outLines(), outOfBounds);
}

TEST_F(SoundEffects, AddSampleAppendsOrQuietlyRefuses)
{
    const std::string directory = wavFolder("sounds", 2);
    folder.write("extra/not-a-sound.wav", "this is text, not a RIFF file");
    folder.write("extra/late.wav", sine());
    SoundEffectManager sounds(directory.c_str());
    OutputCapture capture;
    EXPECT_EQ(sounds.addSample(folder.file("extra/absent.wav").c_str()), -1);
    EXPECT_EQ(sounds.addSample(folder.file("extra/not-a-sound.wav").c_str()), -1);
    EXPECT_EQ(sounds.addSample(folder.file("extra").c_str()), -1) << "a folder is no sound";
    EXPECT_EQ(sounds.addSample(folder.fifo("extra/fifo.wav").c_str()), -1) << "a FIFO is no sound, nor waited on";
    EXPECT_EQ(sounds.addSample(folder.file("extra/late.wav").c_str()), 2);
    EXPECT_EQ(capture.err(), "");
    EXPECT_EQ(capture.out(), "");
}

TEST_F(SoundEffects, DirectoryWithoutTheFirstNumberHasNoSamples)
{
    folder.write("sounds/1.wav", sine());
    OutputCapture capture;
    SoundEffectManager sounds(folder.file("sounds").c_str());
    sounds.playSample(0);
    EXPECT_EQ(capture.err(), folder.file("sounds") + "/0.wav is missing\n");
    EXPECT_EQ(capture.out(), "Sample 0 is out of bounds\n");
}

TEST_F(SoundEffects, PathThatDoesNotFitTheBufferCountsAsMissing)
{
    // "<fitting>/0.wav" and its terminating NUL fill the 200-byte buffer exactly.
    const size_t nameLength = 199 - std::string("/0.wav").size() - folder.path().size() - 1;
    const std::string fittingName(nameLength, 'f');
    const std::string tooLongName = fittingName + "g";
    folder.write(fittingName + "/0.wav", sine());
    folder.write(tooLongName + "/0.wav", sine());
    const std::string fitting = folder.file(fittingName);
    const std::string tooLong = folder.file(tooLongName);

    OutputCapture capture;
    SoundEffectManager fits(fitting.c_str());
    SoundEffectManager cut(tooLong.c_str());
    fits.playSample(1);
    cut.playSample(0);
    const std::string cutPath = (tooLong + "/0.wav").substr(0, 199);
    EXPECT_EQ(capture.errLines(), (std::vector<std::string>{fitting + "/1.wav is missing", cutPath + " is missing"}));
    EXPECT_EQ(capture.outLines(), (std::vector<std::string>{"Sample 1 is out of bounds", "Sample 0 is out of bounds"}));
}

TEST_F(SoundEffects, PlayedSampleReachesTheOutputExactlyOnce)
{
    SoundEffectManager sounds(wavFolder("sounds", 1).c_str());
    const Loudness heard = listenTo([&] { sounds.playSample(0); });
    ASSERT_TRUE(heard.heard()) << "the output stayed silent";
    EXPECT_NEAR(heard.peak, kAmplitude, kAmplitude / 20);
    EXPECT_NEAR(heard.spanFrames(), sampleFrames(), sampleFrames() / 50) << "played once, not looped";
}

TEST_F(SoundEffects, TwoPlaysOverlapOnFreeChannels)
{
    SoundEffectManager sounds(wavFolder("sounds", 1).c_str());
    const Loudness heard = listenTo([&] {
        sounds.playSample(0);
        sounds.playSample(0, false);
    });
    EXPECT_NEAR(heard.peak, 2 * kAmplitude, kAmplitude / 10) << "both copies sound at once";
}

TEST_F(SoundEffects, TwoPlaysOnChannelZeroRestartTheSample)
{
    SoundEffectManager sounds(wavFolder("sounds", 1).c_str());
    const Loudness heard = listenTo([&] {
        sounds.playSample(0, true);
        sounds.playSample(0, true, 0);
    });
    EXPECT_NEAR(heard.peak, kAmplitude, kAmplitude / 20) << "the second play replaces the first";
    EXPECT_NEAR(heard.spanFrames(), sampleFrames(), sampleFrames() / 50);
}

TEST_F(SoundEffects, ChannelChoiceOfTheThreeForms)
{
    SoundEffectManager sounds(wavFolder("sounds", 1).c_str());
    // Holding the mixer keeps every started channel busy while we look.
    SDL_LockAudio();
    sounds.playSample(0, true, 3);
    EXPECT_EQ(Mix_Playing(3), 1);
    sounds.playSample(0, false, 3);
    EXPECT_EQ(Mix_Playing(0), 1) << "without the flag the first free channel is taken";
    sounds.playSample(0);
    EXPECT_EQ(Mix_Playing(1), 1);
    sounds.playSample(0, true);
    EXPECT_EQ(Mix_Playing(-1), 3) << "channel 0 was reused, not another one taken";
    EXPECT_EQ(Mix_Playing(2), 0);
    Mix_HaltChannel(-1);
    SDL_UnlockAudio();
}

TEST_F(SoundEffects, AllChannelsBusyOrNoSuchChannelIsReported)
{
    SoundEffectManager sounds(wavFolder("sounds", 1).c_str());
    Mix_AllocateChannels(2);
    SDL_LockAudio();
    OutputCapture capture;
    sounds.playSample(0);
    sounds.playSample(0);
    sounds.playSample(0);
    const std::string mixerError = SDL_GetError();
    sounds.playSample(0, true, 2);
    sounds.playSample(0, true, 4294967295u);
    Mix_HaltChannel(-1);
    SDL_UnlockAudio();
    EXPECT_FALSE(mixerError.empty());
    const std::vector<std::string> expected = {"Couldn't play sample 0: " + mixerError,
                                               "Couldn't play sample 0: no such mixer channel",
                                               "Couldn't play sample 0: no such mixer channel"};
    EXPECT_EQ(capture.errLines(), expected);
    EXPECT_EQ(capture.out(), "");
}

TEST_F(SoundEffects, ClosedDeviceNeitherLoadsNorPlays)
{
    const std::string directory = wavFolder("sounds", 1);
    SoundEffectManager loadedBefore(directory.c_str());
    Mix_CloseAudio();
    OutputCapture capture;
    SoundEffectManager loadedAfter(directory.c_str());
    loadedBefore.playSample(0);
    loadedAfter.playSample(0);
    EXPECT_EQ(capture.errLines(), (std::vector<std::string>{directory + "/0.wav is missing",
                                                            "Couldn't play sample 0: the audio device is closed"}));
    EXPECT_EQ(capture.out(), "Sample 0 is out of bounds\n");
}
