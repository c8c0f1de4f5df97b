#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "GameProcess.h"
#include "RunFile.h"
#include "RunRecorder.h"
#include "TestFolder.h"

// The golden runs in tests/runs are the game's own recordings of the scripted
// play below: the game replays each script while it records, and the result is
// kept. GRUBNOSH_RECORD_GOLDEN_RUNS=1 makes them afresh that way, after a
// change in play is meant; then the test only writes them.

namespace {

const std::string kGoldenFolder = std::string(GRUBNOSH_SOURCE_DIR) + "/tests/runs/";
const int kSpace = 32;
const int kEscape = 27;
const int kF2 = 283;

// A player who follows a script: frame times, and keys pressed and let go at
// the first poll of a frame, as a run the game can replay.
class ScriptedPlayer
{
public:
    void frame(uint32_t milliseconds) { recorder.beginFrame(milliseconds); }
    void press(int key) { change(key, true); }
    void release(int key) { change(key, false); }
    // The poll that finds the queue empty and ends the game's reading of events.
    void emptyPoll() { recorder.notePoll(nullptr); }

    std::string run()
    {
        recorder.beginFrame(0); // the last scripted frame is complete
        RunHeader header;
        std::string body;
        recorder.finish("Grubnosh", header, body);
        return runFileBytes(header, body);
    }

private:
    void change(int key, bool held)
    {
        keys[key] = held;
        recorder.noteKeys(keys, RunItem::KeysAtPoll);
        RunEvent event;
        event.kind = held ? RunEvent::KeyDown : RunEvent::KeyUp;
        event.field[0] = key;
        recorder.notePoll(&event);
    }

    RunRecorder recorder;
    uint8_t keys[kRunKeyCount] = {};
};

struct GoldenRun
{
    const char* name;
    uint32_t frameTimes[3]; // milliseconds, round and round
    int frames;
    bool endsInGameOver; // else Escape ends it after its frames
    int screenshotFrame; // where F2 is pressed, for a picture to compare; 0: nowhere
};

// Few frames, so that they replay quickly: the frame rate is the script's.
const GoldenRun kGoldenRuns[] = {
    {"game-over.tqrun", {95, 100, 105}, 4000, true, 0}, // ten frames a second, for longer than the game lasts
    {"escape.tqrun", {33, 33, 34}, 450, false, 300},  // fifteen seconds at thirty frames a second, the pig rising at F2
};

// Hops of four heights, one every 90 frames.
std::string hops(const GoldenRun& golden)
{
    const int holds[] = {20, 35, 10, 45};
    const int hopLength = 90;
    ScriptedPlayer player;
    for (int frame = 0; frame < golden.frames; ++frame) {
        player.frame(golden.frameTimes[frame % 3]);
        if (frame % hopLength == 0)
            player.press(kSpace);
        else if (frame % hopLength == holds[frame / hopLength % 4])
            player.release(kSpace);
        if (golden.screenshotFrame > 0 && frame == golden.screenshotFrame)
            player.press(kF2);
        if (golden.screenshotFrame > 0 && frame == golden.screenshotFrame + 1)
            player.release(kF2);
        player.emptyPoll();
    }
    if (!golden.endsInGameOver) {
        player.frame(golden.frameTimes[0]);
        player.press(kEscape);
    }
    return player.run();
}

std::string contentsOf(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string numbersText(const std::vector<int32_t>& numbers)
{
    std::string text;
    for (const int32_t value : numbers)
        text += (text.empty() ? "" : " ") + std::to_string(value);
    return text;
}

class RecordedRuns : public ::testing::Test
{
protected:
    RecordedRuns() { folder.linkGameData(); }

    ProgramStart runs(const std::string& replay, const std::string& record = "") const
    {
        ProgramStart program;
        if (!replay.empty())
            program.environment.push_back({"TORVANE_REPLAY", replay});
        if (!record.empty())
            program.environment.push_back({"TORVANE_RECORD", record});
        return program;
    }

    TestFolder folder;
};

// The game-over screen: the text alone on black, where play always shows the score line at the top.
bool showsGameOver(const ScreenImage& screen)
{
    bool textBelow = false;
    for (int y = 0; y < 260; ++y)
        for (int x = 0; x < 320; ++x)
            if (channelDifference(screen.at(x, y), ScreenColour{0, 0, 0}) > 0) {
                if (y < 200)
                    return false;
                textBelow = true;
            }
    return textBelow;
}

bool waitForGameOver(GameProcess& game)
{
    for (int tries = 0; tries < 240 && game.running(); ++tries) {
        if (showsGameOver(game.grabWindow()))
            return true;
        pause(0.5);
    }
    return false;
}

} // namespace

TEST_F(RecordedRuns, GoldenRunsReplayToTheirFinalNumbersAndRecordAgainByteForByte)
{
    const bool writeAfresh = getenv("GRUBNOSH_RECORD_GOLDEN_RUNS") != NULL;
    const std::string recorded = folder.file("recorded.tqrun");
    for (const GoldenRun& golden : kGoldenRuns) {
        SCOPED_TRACE(golden.name);
        const std::string path = kGoldenFolder + golden.name;
        if (writeAfresh) {
            folder.write("script.tqrun", hops(golden));
            GameProcess game(folder.path(), runs(folder.file("script.tqrun"), recorded));
            ASSERT_TRUE(game.waitForWindow());
            if (golden.endsInGameOver) {
                ASSERT_TRUE(waitForGameOver(game)) << "the script outlasts the game";
                game.tap("Escape");
            }
            ASSERT_EQ(game.waitForExit(120.0), 0);
            std::ofstream(path, std::ios::binary) << folder.read("recorded.tqrun");
            continue;
        }
        RunHeader header;
        std::string body, problem;
        ASSERT_TRUE(readRunFile(path.c_str(), header, body, problem)) << problem;
        ASSERT_EQ(header.finalNumbers.size(), 4u) << "score, misses, lives and the pig's height";
        EXPECT_EQ(header.finalNumbers[2] == 0, golden.endsInGameOver) << "no lives are left at a game over";

        GameProcess game(folder.path(), runs(path, recorded));
        ASSERT_TRUE(game.waitForWindow());
        EXPECT_TRUE(game.waitForOutput("PASS) Run " + path + " replayed to its end: " + std::to_string(header.frames) +
                                       " frames, final numbers " + numbersText(header.finalNumbers)))
            << game.out() << game.err();
        // The last frame, the game-over screen's, is not in the run: real input closes it.
        game.tap("Escape");
        EXPECT_EQ(game.waitForExit(), 0);
        EXPECT_EQ(game.err().find("FAIL)"), std::string::npos) << game.err();
        EXPECT_TRUE(folder.read("recorded.tqrun") == contentsOf(path))
            << "the replay, recorded, is not the run it replayed: the game plays its input differently now; "
               "if that is meant, record the golden runs afresh";
    }
}

TEST_F(RecordedRuns, ARunPlayedWithAScreenshotReplaysToTheSameScreenshotByteForByte)
{
    const std::string run = folder.file("played.tqrun");
    {
        GameProcess game(folder.path(), runs("", run));
        ASSERT_TRUE(game.waitForWindow());
        game.keyDown("space");
        pause(0.6);
        game.keyUp("space");
        pause(0.2);
        ASSERT_FALSE(game.screenshot().empty());
        game.tap("Escape");
        ASSERT_EQ(game.waitForExit(), 0);
    }
    const std::string played = folder.read("sshot.bmp");
    std::remove(folder.file("sshot.bmp").c_str());

    GameProcess replay(folder.path(), runs(run));
    ASSERT_TRUE(replay.waitForWindow());
    EXPECT_TRUE(replay.waitForOutput("PASS) Run " + run + " replayed to its end")) << replay.out() << replay.err();
    replay.tap("Escape");
    EXPECT_EQ(replay.waitForExit(), 0);
    EXPECT_TRUE(folder.read("sshot.bmp") == played) << "the replay's screenshot differs from the one taken in play";
}
