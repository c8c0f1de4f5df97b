#include <gtest/gtest.h>

#include <filesystem>

#include "RunCompression.h"
#include "RunFile.h"
#include "RunPlayer.h"
#include "RunRecorder.h"
#include "TestFolder.h"

namespace {

const int kSpace = 32;

RunEvent keyDown(int key)
{
    RunEvent event;
    event.kind = RunEvent::KeyDown;
    event.field[0] = key;
    event.field[1] = 0x40; // left Ctrl held
    return event;
}

// Three frames as a program lives them: the space bar pressed in the first, a
// mouse click in the second; numbers handed in every frame, kept in the frames
// where another second of run time has passed.
RunRecorder threeFrames()
{
    RunRecorder recorder;
    uint8_t keys[kRunKeyCount] = {};
    recorder.beginFrame(700);
    keys[kSpace] = 1;
    recorder.noteKeys(keys, RunItem::KeysAtPoll);
    const RunEvent press = keyDown(kSpace);
    recorder.notePoll(&press);
    recorder.notePoll(nullptr);
    recorder.noteNumbers({1, 2});
    recorder.beginFrame(400);
    RunEvent click;
    click.kind = RunEvent::ButtonDown;
    click.field[0] = 1;
    click.field[1] = 320;
    click.field[2] = -5;
    recorder.notePoll(&click);
    recorder.noteNumbers({3, -4});
    recorder.beginFrame(300000); // a long stall
    recorder.noteNumbers({5, 6});
    recorder.beginFrame(16); // the frame in progress at the end is left out
    return recorder;
}

std::string runFile(RunRecorder recorder, RunHeader& header)
{
    std::string body;
    recorder.finish("Grubnosh", header, body);
    return runFileBytes(header, body);
}

} // namespace

TEST(RunBody, PacksAndUnpacksAnyBytes)
{
    std::string noise, pattern, everyByte;
    uint32_t state = 12345;
    for (int i = 0; i < 100000; ++i) {
        state = state * 1103515245 + 12345;
        noise.push_back(static_cast<char>(state >> 24));
        pattern += i % 3 == 0 ? "\x10\xea" : "\x11\xea";
    }
    for (int i = 0; i < 256; ++i)
        everyByte.push_back(static_cast<char>(i));
    for (const std::string& raw : {std::string(), std::string("x"), everyByte, noise, pattern})
        EXPECT_TRUE(unpackRunBody(packRunBody(raw), raw.size()) == raw) << raw.size() << " bytes";
}

TEST(RunReplay, GivesEachPollWhatItMetAndStopsWhereTheNumbersDiffer)
{
    RunHeader header;
    std::string body, problem;
    ASSERT_TRUE(parseRunFile(runFile(threeFrames(), header), header, body, problem)) << problem;
    EXPECT_EQ(header.frames, 3u);
    EXPECT_EQ(header.milliseconds, 301100u);
    EXPECT_EQ(header.finalNumbers, (std::vector<int32_t>{5, 6}));

    RunPlayer player(body, header.finalNumbers);
    uint32_t milliseconds = 0;
    RunEvent event;
    ASSERT_EQ(player.beginFrame(milliseconds), RunPlayer::Frame::Playing);
    EXPECT_EQ(milliseconds, 700u);
    EXPECT_EQ(player.heldKeys()[kSpace], 0) << "held only once a poll has seen it";
    ASSERT_TRUE(player.poll(event));
    EXPECT_TRUE(event == keyDown(kSpace));
    EXPECT_EQ(player.heldKeys()[kSpace], 1);
    EXPECT_FALSE(player.poll(event)) << "the empty poll";
    EXPECT_FALSE(player.poll(event)) << "nothing more in this frame";
    EXPECT_TRUE(player.check({1, 2})) << "not kept in the run's first second";

    ASSERT_EQ(player.beginFrame(milliseconds), RunPlayer::Frame::Playing);
    EXPECT_TRUE(player.eventWaiting());
    ASSERT_TRUE(player.poll(event));
    EXPECT_EQ(event.field[2], -5);
    EXPECT_TRUE(player.check({3, -4}));
    ASSERT_EQ(player.beginFrame(milliseconds), RunPlayer::Frame::Playing);
    EXPECT_EQ(milliseconds, 300000u);
    EXPECT_FALSE(player.check({5, 7}));
    EXPECT_EQ(player.expected(), (std::vector<int32_t>{5, 6}));
    EXPECT_EQ(player.frame(), 3u);

    // Another program that hands in nothing differs when the frame that held numbers is over.
    RunPlayer silent(body, header.finalNumbers);
    silent.beginFrame(milliseconds);
    silent.beginFrame(milliseconds);
    EXPECT_EQ(silent.beginFrame(milliseconds), RunPlayer::Frame::Differs);
    EXPECT_EQ(silent.expected(), (std::vector<int32_t>{3, -4}));
}

TEST(RunFile, RefusesWhatIsNoWholeRunOfThisFormatSayingWhy)
{
    RunHeader header;
    const std::string good = runFile(threeFrames(), header);
    const size_t bodyStart = good.find("\n", good.find("body ")) + 1;
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string bytes = good;
        return bytes.replace(bytes.find(from), from.size(), to);
    };
    std::string flipped = good;
    flipped[bodyStart + 3] ^= 0x20;
    const struct
    {
        const char* name;
        std::string bytes;
        const char* problem;
    } cases[] = {
        {"empty", "", "is empty"},
        {"foreign", "\x89PNG\r\n\x1a\n", "is not a Torvane Quillet run"},
        {"another version", replaced("torvane-run 1", "torvane-run 12"),
         "is of format version 12; this build reads version 1"},
        {"cut in its header", good.substr(0, 30), "is cut short in its header"},
        {"cut in its body", good.substr(0, good.size() - 3), "is cut short: its body holds"},
        {"longer than its body", good + "x", "is damaged: more follows its body"},
        {"a changed body byte", flipped, "is damaged: its body does not match its check sum"},
        {"frames miscounted", replaced("frames 3", "frames 4"), "is damaged: its frames do not read back"},
        {"a line garbled", replaced("seconds ", "seconds x"), "has a damaged header"},
        {"too large a body", replaced("body ", "body 99999999"), "is too large"},
    };
    for (const auto& bad : cases) {
        std::string body, problem;
        EXPECT_FALSE(parseRunFile(bad.bytes, header, body, problem)) << bad.name;
        EXPECT_EQ(problem.rfind(bad.problem, 0), 0u) << bad.name << ": " << problem;
    }

    // Files that are no runs at all, before a byte of them is read.
    TestFolder folder;
    std::filesystem::create_directory(folder.file("folder"));
    folder.fifo("fifo");
    folder.write("huge", "");
    std::filesystem::resize_file(folder.file("huge"), kRunBodyMax + 4096);
    const struct
    {
        const char* name;
        const char* problem;
    } files[] = {
        {"missing", "cannot be opened (No such file or directory)"},
        {"folder", "cannot be opened (Is a directory)"},
        {"fifo", "is no regular file"},
        {"huge", "is too large for a run"},
    };
    for (const auto& file : files) {
        std::string body, problem;
        EXPECT_FALSE(readRunFile(folder.file(file.name).c_str(), header, body, problem)) << file.name;
        EXPECT_EQ(problem.rfind(file.problem, 0), 0u) << file.name << ": " << problem;
    }
}
