#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "AudioTestSupport.h"
#include "GameProcess.h"
#include "TestFolder.h"

namespace {

struct Region
{
    int left, top, right, bottom;
};

// Each example's main key, and the part of its window that answers it and
// otherwise stays still. The audio example must also be heard.
struct ExampleCase
{
    const char* name;
    const char* key;
    Region answer;
    bool heard;
};

const ExampleCase kExamples[] = {
    {"hello", "Right", {280, 200, 440, 280}, false},  // the pig moves right
    {"text", "space", {48, 90, 340, 190}, false},    // the colours move one line down
    {"actors", "Right", {360, 200, 470, 280}, false}, // the pig flies in from the left
    {"tiles", "Right", {130, 192, 200, 238}, false},  // the apple rolls in from the left
    {"audio", "1", {60, 114, 330, 138}, true},         // the effect's line lights up
};

int colourCount(const ScreenImage& image)
{
    std::set<int> colours;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const ScreenColour c = image.at(x, y);
            colours.insert((c.r << 16) | (c.g << 8) | c.b);
        }
    return static_cast<int>(colours.size());
}

// Whether the disk audio driver has written anything louder than a whisper.
bool heardIn(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::vector<int16_t> samples(bytes.size() / 2);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) | (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
    return measure(samples, 1, 300).heard();
}

ScreenImage runExample(const ExampleCase& example, const TestFolder& folder)
{
    const std::string output = folder.file(std::string(example.name) + ".raw");
    ProgramStart start;
    start.binary = std::string(GRUBNOSH_EXAMPLES_DIR) + "/example_" + example.name;
    start.caption = std::string("Torvane Quillet example: ") + example.name;
    start.environment = {{"SDL_AUDIODRIVER", "disk"}, {"SDL_DISKAUDIOFILE", output}};
    GameProcess program(folder.path(), start);
    EXPECT_TRUE(program.waitForWindow()) << program.err();
    pause(1.0);
    const ScreenImage before = program.grabWindow();
    EXPECT_EQ(before.width, 640);
    EXPECT_EQ(before.height, 480);
    EXPECT_GT(colourCount(before), 16) << "the first picture is blank";
    if (example.heard) {
        EXPECT_FALSE(heardIn(output)) << "sound before any key";
    }

    program.keyDown(example.key);
    pause(0.4);
    const ScreenImage after = program.grabWindow();
    program.keyUp(example.key);
    const Region& r = example.answer;
    EXPECT_GT(largestDifference(before, after, r.left, r.top, r.right, r.bottom), 60) << "no answer to " << example.key;
    if (example.heard) {
        EXPECT_TRUE(waitUntil([&] { return heardIn(output); }, 5.0)) << "silent after " << example.key;
    }

    program.tap("Escape");
    EXPECT_EQ(program.waitForExit(), 0) << program.err();
    return before;
}

} // namespace

TEST(Examples, EachDrawsItsOwnPictureAnswersItsKeyAndEndsOnEscape)
{
    TestFolder folder;
    folder.linkGameData();
    std::vector<ScreenImage> pictures;
    for (const ExampleCase& example : kExamples) {
        SCOPED_TRACE(example.name);
        pictures.push_back(runExample(example, folder));
    }
    for (size_t i = 0; i < pictures.size(); ++i)
        for (size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_GT(largestDifference(pictures[i], pictures[j], 0, 0, 640, 480), 100)
                << kExamples[i].name << " looks like " << kExamples[j].name;
}
