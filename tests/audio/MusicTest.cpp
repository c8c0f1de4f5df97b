#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <memory>

#include "AudioTestSupport.h"
#include "MusicManager.h"
#include "OutputCapture.h"
#include "TagBlock.h"
#include "TestFolder.h"

namespace {

const double kTrackSeconds = 0.3;
const int kAmplitude = 12000;
const int kSilence = 256;

// One short Ogg Vorbis tone, encoded once per process by the system's encoder.
const std::string& encodedTone(int rate)
{
    static std::string ogg;
    if (!ogg.empty())
        return ogg;
    TestFolder work;
    work.write("tone.wav", sineWav(rate, kTrackSeconds, 440.0, kAmplitude));
    const std::string command = "oggenc -Q -o '" + work.file("tone.ogg") + "' '" + work.file("tone.wav") + "'";
    if (std::system(command.c_str()) == 0)
        ogg = work.read("tone.ogg");
    return ogg;
}

TagFields tagFor(const std::string& artist, const std::string& title)
{
    TagFields fields;
    fields.artist = artist;
    fields.title = title;
    return fields;
}

class Music : public ::testing::Test
{
protected:
    Music() : mixer(folder.file("mixed.raw"), 5) {}

    void SetUp() override
    {
        ASSERT_TRUE(mixer.ready()) << "the disk audio driver did not open: " << SDL_GetError();
        ASSERT_FALSE(encodedTone(mixer.rate()).empty()) << "oggenc (Debian package vorbis-tools) is needed";
    }

    // Writes <directory>/<number>.ogg, with an ID3v1 block appended when tagged.
    void writeTrack(const std::string& directory, int number, const TagFields* tag = nullptr)
    {
        const std::string suffix = tag ? tagBlock(*tag) : "";
        folder.write(directory + "/" + std::to_string(number) + ".ogg", encodedTone(mixer.rate()) + suffix);
    }

    // Tracks 0 .. count-1, tagged "Band" / "Track <n>".
    std::string numberedTracks(const std::string& directory, int count)
    {
        for (int n = 0; n < count; ++n) {
            const TagFields tag = tagFor("Band", "Track " + std::to_string(n));
            writeTrack(directory, n, &tag);
        }
        return folder.file(directory);
    }

    long trackFrames() const { return static_cast<long>(mixer.rate() * kTrackSeconds); }

    TestFolder folder;
    TestMixer mixer;
};

// The two lines every search ends with, for the name that ended it.
void expectSearchEndedAt(const std::vector<std::string>& lines, size_t at, const std::string& name)
{
    ASSERT_GE(lines.size(), at + 2);
    const std::string loadFailure = "Err.) Can't load " + name + "... ";
    EXPECT_EQ(lines[at].substr(0, loadFailure.size()), loadFailure);
    EXPECT_GT(lines[at].size(), loadFailure.size()) << "the mixer's reason follows";
    EXPECT_EQ(lines[at + 1], "Err.) Music file " + name + " is missing");
}

} // namespace

TEST_F(Music, DiscoveryStopsAtTheFirstGap)
{
    const TagFields tag = tagFor("Ada Fenwick", "Low Tide");
    writeTrack("music", 0, &tag);
    writeTrack("music", 1);
    writeTrack("music", 3, &tag);
    const std::string directory = folder.file("music");
    OutputCapture capture;
    MusicManager music(directory.c_str());
    EXPECT_EQ(music.getTrackName(), "Not playing music");
    music.playTrack(2, false);
    music.playTrack(-1, true);
    const std::vector<std::string> lines = capture.errLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], kNoTagLine) << "track 1 carries no tag";
    expectSearchEndedAt(lines, 1, directory + "/2.ogg");
    EXPECT_EQ(lines[3], "Err.) Music track 2 is out of range [0,1]");
    EXPECT_EQ(lines[4], "Err.) Music track -1 is out of range [0,1]");
    EXPECT_EQ(capture.out(), "");
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

TEST_F(Music, FileThatIsNotMusicOrAFolderOrAFifoEndsTheSearch)
{
    struct NotMusic
    {
        std::string path;
        bool fifo; // or a file of plain text
    };
    const std::vector<NotMusic> notMusic = {
        {"text/1.ogg", false}, {"folder/1.ogg/inside", false}, {"fifo/1.ogg", true}};
    // Every manager lives to the end of the test: the first to go closes the device.
    std::vector<std::unique_ptr<MusicManager>> managers;
    for (const NotMusic& track : notMusic) {
        const std::string name = track.path.substr(0, track.path.find('/'));
        writeTrack(name, 0);
        if (track.fifo)
            folder.fifo(track.path);
        else
            folder.write(track.path, "plain text pretending to be a track");
        writeTrack(name, 2);
        const std::string directory = folder.file(name);
        OutputCapture capture;
        managers.push_back(std::make_unique<MusicManager>(directory.c_str()));
        managers.back()->playTrack(1, false);
        const std::vector<std::string> lines = capture.errLines();
        ASSERT_EQ(lines.size(), 4u) << name;
        EXPECT_EQ(lines[0], kNoTagLine) << name;
        expectSearchEndedAt(lines, 1, directory + "/1.ogg");
        EXPECT_EQ(lines[3], "Err.) Music track 1 is out of range [0,0]") << name;
    }
}

TEST_F(Music, NoMusicDisablesThePlayer)
{
    const std::string directory = folder.file("nowhere");
    OutputCapture capture;
    MusicManager music(directory.c_str());
    music.changeTrack(1);
    const std::string nameAfterForward = music.getTrackName();
    music.changeTrack(-1);
    const std::vector<std::string> lines = capture.errLines();
    ASSERT_EQ(lines.size(), 5u);
    expectSearchEndedAt(lines, 0, directory + "/0.ogg");
    EXPECT_EQ(lines[2], "Err.) No music found, disabling");
    EXPECT_EQ(lines[3], "Err.) Music track 0 is out of range [0,-1]");
    EXPECT_EQ(lines[4], "Err.) Music track -1 is out of range [0,-1]");
    EXPECT_EQ(nameAfterForward, "Not playing music");
    EXPECT_EQ(music.getTrackName(), "Not playing music");
    EXPECT_EQ(capture.out(), "");
}

TEST_F(Music, PlayingLogsAndNamesTaggedAndUntaggedTracks)
{
    const TagFields padded = [] {
        TagFields fields = tagFor("Ada Fenwick", "Low Tide");
        fields.padding = ' ';
        return fields;
    }();
    const TagFields tag = tagFor("Ada Fenwick", "Low Tide");
    writeTrack("music", 0, &tag);
    writeTrack("music", 1);
    writeTrack("music", 2, &padded);
    OutputCapture capture;
    MusicManager music(folder.file("music").c_str());
    Mix_Volume(0, 7);

    music.playTrack(0, false);
    EXPECT_EQ(music.getTrackName(), "Ada Fenwick - Low Tide");
    EXPECT_EQ(Mix_Volume(0, -1), 100);
    EXPECT_EQ(Mix_VolumeMusic(-1), MIX_MAX_VOLUME) << "the music's own volume is left alone";
    music.playTrack(1, true);
    EXPECT_EQ(music.getTrackName(), "File not tagged");
    music.playTrack(2, false);
    const std::string artist = "Ada Fenwick" + std::string(19, ' ');
    const std::string title = "Low Tide" + std::string(22, ' ');
    EXPECT_EQ(music.getTrackName(), artist + " - " + title);

    const std::vector<std::string> expected = {"Pass) Playing track 0 (Ada Fenwick - Low Tide)",
                                               "Pass) Playing track 1",
                                               "Pass) Playing track 2 (" + artist + " - " + title + ")"};
    EXPECT_EQ(capture.outLines(), expected);
}

TEST_F(Music, ChangeTrackWrapsToTheOtherEndWhateverTheStep)
{
    MusicManager music(numberedTracks("music", 5).c_str());
    OutputCapture capture;
    const std::vector<int> steps = {1, 1, -3, -1, 4, -1, 1, 0, INT_MAX, INT_MIN};
    const std::vector<int> reached = {0, 1, 4, 3, 0, 4, 0, 0, 0, 4};
    for (size_t i = 0; i < steps.size(); ++i) {
        music.changeTrack(steps[i]);
        EXPECT_EQ(music.getTrackName(), "Band - Track " + std::to_string(reached[i])) << "step " << steps[i];
        EXPECT_EQ(Mix_PlayingMusic(), 1);
    }
    const std::vector<std::string> lines = capture.outLines();
    ASSERT_EQ(lines.size(), reached.size());
    for (size_t i = 0; i < reached.size(); ++i) {
        const std::string number = std::to_string(reached[i]);
        EXPECT_EQ(lines[i], "Pass) Playing track " + number + " (Band - Track " + number + ")");
    }
    EXPECT_EQ(capture.err(), "");
}

TEST_F(Music, ChangeTrackBeforeAnyTrackWasChosen)
{
    const std::string directory = numberedTracks("music", 3);
    MusicManager backwards(directory.c_str());
    backwards.changeTrack(-1);
    EXPECT_EQ(backwards.getTrackName(), "Band - Track 2");
    MusicManager still(directory.c_str());
    still.changeTrack(0);
    EXPECT_EQ(still.getTrackName(), "Band - Track 2") << "-1 + 0 is below the list, so the last track";
}

TEST_F(Music, TrackPlayedOnceSoundsEndsAndStaysNamed)
{
    const TagFields tag = tagFor("Ada Fenwick", "Low Tide");
    writeTrack("music", 0, &tag);
    MusicManager music(folder.file("music").c_str());
    music.playTrack(0, false);
    ASSERT_TRUE(waitUntil([] { return Mix_PlayingMusic() == 0; }, 5.0)) << "the track never ended";
    EXPECT_EQ(music.getTrackName(), "Ada Fenwick - Low Tide");

    const Loudness heard = measure(mixer.closeAndReadOutput(), mixer.outputChannels(), kSilence);
    ASSERT_TRUE(heard.heard()) << "the output stayed silent";
    EXPECT_NEAR(heard.peak, kAmplitude, kAmplitude / 5);
    EXPECT_NEAR(heard.spanFrames(), trackFrames(), trackFrames() / 20) << "played once";
}

TEST_F(Music, ChangedTrackLoops)
{
    MusicManager music(numberedTracks("music", 1).c_str());
    const long start = mixer.framesWritten();
    music.changeTrack(1);
    ASSERT_TRUE(waitUntil([&] { return mixer.framesWritten() > start + 4 * trackFrames(); }, 5.0));
    EXPECT_EQ(Mix_PlayingMusic(), 1) << "still going after several lengths of the track";
    Mix_HaltMusic();
    const Loudness heard = measure(mixer.closeAndReadOutput(), mixer.outputChannels(), kSilence);
    EXPECT_GT(heard.spanFrames(), 3 * trackFrames());
}

TEST_F(Music, DestructorStopsTheMusicAndClosesTheDevice)
{
    auto music = std::make_unique<MusicManager>(numberedTracks("music", 2).c_str());
    music->playTrack(1, true);
    ASSERT_EQ(Mix_PlayingMusic(), 1);
    music.reset();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    EXPECT_EQ(Mix_QuerySpec(NULL, NULL, NULL), 0) << "the audio device is closed";
}

TEST_F(Music, FailedStartKeepsTheChosenTrackButChangeTrackMovesIt)
{
    MusicManager music(numberedTracks("music", 2).c_str());
    music.playTrack(1, true);
    Mix_CloseAudio();
    OutputCapture capture;
    music.playTrack(0, true);
    EXPECT_EQ(music.getTrackName(), "Band - Track 1") << "a failed playTrack changes nothing";
    music.changeTrack(1);
    EXPECT_EQ(music.getTrackName(), "Band - Track 0") << "changeTrack moves even when the start fails";
    const std::vector<std::string> lines = capture.errLines();
    ASSERT_EQ(lines.size(), 2u);
    for (const std::string& line : lines) {
        EXPECT_EQ(line.substr(0, 22), "Err.) SDL_mixer error ");
        EXPECT_GT(line.size(), 22u);
    }
    EXPECT_EQ(capture.out(), "");
}

TEST_F(Music, NameThatDoesNotFitTheBufferCountsAsMissing)
{
    // "<fitting>/0.ogg" and its terminating NUL fill the 400-byte buffer exactly;
    // a folder name may be at most 255 bytes, so the path takes two levels.
    const size_t pathLength = 399 - std::string("/0.ogg").size();
    const std::string outer(200, 'o');
    const std::string fittingName = outer + "/" + std::string(pathLength - folder.path().size() - 202, 'f');
    const std::string tooLongName = fittingName + "g";
    writeTrack(fittingName, 0);
    writeTrack(tooLongName, 0);
    const std::string fitting = folder.file(fittingName);
    const std::string tooLong = folder.file(tooLongName);

    OutputCapture capture;
    MusicManager fits(fitting.c_str());
    MusicManager cut(tooLong.c_str());
    fits.playTrack(0, false);
    const std::string cutName = (tooLong + "/0.ogg").substr(0, 399);
    const std::vector<std::string> lines = capture.errLines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], kNoTagLine);
    expectSearchEndedAt(lines, 1, fitting + "/1.ogg");
    EXPECT_EQ(lines[3], "Err.) Can't load " + cutName + "... the name does not fit in 400 bytes");
    EXPECT_EQ(lines[4], "Err.) Music file " + cutName + " is missing");
    EXPECT_EQ(lines[5], "Err.) No music found, disabling");
    EXPECT_EQ(capture.out(), "Pass) Playing track 0\n");
}
