#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TileSet.h"

TEST(TileList, ReadsGoodLinesAndSaysWhatIsWrongWithBadOnes)
{
    const struct
    {
        const char* line;
        bool good;
        int tile;
        std::vector<std::string> pictures;
        const char* problemHolds; // a word the problem must hold
    } cases[] = {
        {"1 brick.png", true, 1, {"brick.png"}, ""},
        {"22 3.png 4.png 5.png", true, 22, {"3.png", "4.png", "5.png"}, ""},
        {"\t30   grate.png\t# lets bullets through", true, 30, {"grate.png"}, ""},
        {"62 sub/last.png\r", true, 62, {"sub/last.png"}, ""},
        {"# a comment", true, 0, {}, ""},
        {"   ", true, 0, {}, ""},
        {"", true, 0, {}, ""},
        {"brick.png 1", false, 0, {}, "brick.png"},
        {"1.5 a.png", false, 0, {}, "1.5"},
        {"99999999999 a.png", false, 0, {}, "99999999999"},
        {"0 empty.png", false, 0, {}, "0"},
        {"-3 a.png", false, 0, {}, "1"},
        {"7", false, 0, {}, "no picture"},
        {"7 # a.png", false, 0, {}, "no picture"},
        {"22 a.png b.png c.png d.png", false, 0, {}, "3"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(std::string("line \"") + test.line + "\"");
        TileListLine entry;
        std::string problem;
        ASSERT_EQ(readTileListLine(test.line, entry, problem), test.good) << problem;
        if (test.good) {
            EXPECT_EQ(entry.pictures, test.pictures);
            EXPECT_TRUE(test.pictures.empty() || entry.tile == test.tile) << entry.tile;
        } else {
            EXPECT_NE(problem.find(test.problemHolds), std::string::npos) << problem;
        }
    }
}
