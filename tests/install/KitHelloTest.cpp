#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "GameProcess.h"

// Run by kit-test.sh once it has built hello against the installed kit:
// KIT_EXAMPLES names the installed examples folder, KIT_HELLO the programs.
namespace {

std::vector<std::string> programsToRun()
{
    std::vector<std::string> programs;
    std::istringstream list(getenv("KIT_HELLO") != nullptr ? getenv("KIT_HELLO") : "");
    for (std::string program; list >> program;)
        programs.push_back(program);
    return programs;
}

// Lit pixels: the pig and the text stand out against the black background.
int litPixels(const ScreenImage& screen, int left, int top, int right, int bottom)
{
    int count = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            count += channelDifference(screen.at(x, y), {0, 0, 0}) > 60;
    return count;
}

} // namespace

TEST(KitHello, OpensItsWindowWritesInTheKitsFontMovesThePigAndEndsOnEscape)
{
    const char* examples = getenv("KIT_EXAMPLES");
    ASSERT_NE(examples, nullptr) << "KIT_EXAMPLES names no folder";
    const std::vector<std::string> programs = programsToRun();
    ASSERT_FALSE(programs.empty()) << "KIT_HELLO names no program";
    for (const std::string& binary : programs) {
        SCOPED_TRACE(binary);
        ProgramStart start;
        start.binary = binary;
        start.caption = "Torvane Quillet example: hello";
        start.environment = {{"SDL_AUDIODRIVER", "dummy"}};
        GameProcess hello(examples, start);
        ASSERT_TRUE(hello.waitForWindow()) << hello.err();
        pause(0.8);
        const ScreenImage before = hello.grabWindow();
        EXPECT_GT(litPixels(before, 0, 0, 640, 48), 1000) << "no line of text: " << hello.err();
        EXPECT_GT(litPixels(before, 288, 208, 352, 272), 1000) << "no pig where it starts";

        hello.keyDown("Right");
        pause(0.5);
        hello.keyUp("Right");
        pause(0.2);
        EXPECT_LT(litPixels(hello.grabWindow(), 288, 208, 320, 272), 100) << "the pig did not move off to the right";

        hello.tap("Escape");
        EXPECT_EQ(hello.waitForExit(), 0) << hello.err();
        EXPECT_EQ(hello.err().find("FAIL)"), std::string::npos) << hello.err();
    }
}
