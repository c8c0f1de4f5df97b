#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "FontRaster.h"
#include "GameProcess.h"
#include "GlTestSupport.h"
#include "Rank.h"
#include "TestFolder.h"

namespace {

const int kFirstLineTop = 220;
const double kLongestGameSeconds = 240.0;

// The game's data with stand-in sprites: without all six sprites no object can be a
// hostile, and a game without hostiles never ends.
class GameOverScreen : public ::testing::Test
{
protected:
    GameOverScreen() : font(gameFontRaster())
    {
        folder.linkGameDataWithout("sprites");
        std::filesystem::create_directories(folder.file("data/sprites"));
        writeStandInSprites(folder.file("data/sprites"));
    }

    int lineTop(int line) const { return kFirstLineTop + line * font.lineHeight(); }

    // How far the screen's text line differs from the given text, over the columns the text's pen covers.
    int differenceFrom(const ScreenImage& screen, const std::string& text, int line, int columns) const
    {
        ScreenImage expected(screen.width, screen.height);
        font.print(expected, text, 0, lineTop(line));
        return largestDifference(screen, expected, 0, lineTop(line), columns, lineTop(line) + font.lineHeight());
    }

    bool showsLine(const ScreenImage& screen, const std::string& text, int line) const
    {
        return differenceFrom(screen, text, line, screen.width) <= 2;
    }

    // The number that stands between two known texts on a line, or -1.
    int readNumber(const ScreenImage& screen, const std::string& before, const std::string& after, int line) const
    {
        for (int number = 0; number < 1000; ++number) {
            const std::string text = before + std::to_string(number) + after;
            // The last glyph's outline may reach into the next one's place.
            if (differenceFrom(screen, text, line, font.advance(text) - 2) <= 2)
                return number;
        }
        return -1;
    }

    ScreenImage waitForGameOver(GameProcess& game) const
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(kLongestGameSeconds);
        while (std::chrono::steady_clock::now() < deadline && game.running()) {
            pause(1.0);
            const ScreenImage screen = game.grabWindow();
            if (showsLine(screen, "Thanks for playing...", 2))
                return screen;
        }
        return ScreenImage(0, 0);
    }

    TestFolder folder;
    FontRaster font;
};

} // namespace

TEST_F(GameOverScreen, AGameWithoutInputEndsThereAndOnlyAKeyDownEndsTheProgram)
{
    GameProcess game(folder.path());
    ASSERT_TRUE(game.waitForWindow());
    const ScreenImage screen = waitForGameOver(game);
    ASSERT_GT(screen.width, 0) << "no game-over screen within " << kLongestGameSeconds << " s";

    const int score = readNumber(screen, "You got a score of ", " with ", 0);
    ASSERT_GE(score, 0);
    const int misses = readNumber(screen, "You got a score of " + std::to_string(score) + " with ", " misses!", 0);
    ASSERT_GE(misses, 0);
    ScreenImage expected(screen.width, screen.height);
    font.print(expected, "You got a score of " + std::to_string(score) + " with " + std::to_string(misses) + " misses!",
               0, lineTop(0));
    font.print(expected, "This puts you at the rank of " + getRank(score) + "!", 0, lineTop(1));
    font.print(expected, "Thanks for playing...", 0, lineTop(2));
    EXPECT_LE(largestDifference(screen, expected, 0, 0, screen.width, screen.height), 2)
        << "the three lines and nothing else";

    game.keyUp("a");
    game.moveMouse(300, 200);
    pause(1.5);
    ASSERT_TRUE(game.running()) << "neither a key-up nor the mouse ends the screen";
    EXPECT_LE(largestDifference(game.grabWindow(), expected, 0, 0, screen.width, screen.height), 2);

    game.keyDown("a");
    const int status = game.waitForExit(10.0);
    game.keyUp("a");
    EXPECT_EQ(status, 0);

    const std::vector<std::string> out = game.outLines();
    const long hits = std::count(out.begin(), out.end(), "Player got hit by a hostile :(");
    EXPECT_EQ(hits, 9 + score / 20) << "nine lives, and one more for every twentieth apple";
}

TEST_F(GameOverScreen, TheFontLoadsAfterTheSpritesAndTilesWithoutAWarning)
{
    GameProcess game(folder.path());
    ASSERT_TRUE(game.waitForWindow());
    game.tap("Escape");
    ASSERT_EQ(game.waitForExit(), 0);

    const std::vector<std::string> out = game.outLines();
    const auto fontStart = std::find(out.begin(), out.end(),
                                     "INFO) Initializing bitmap font load (tga:data/bitfont.tga fnt:data/bitfont.fnt)");
    ASSERT_NE(fontStart, out.end());
    ASSERT_GE(out.end() - fontStart, 7);
    EXPECT_EQ(std::vector<std::string>(fontStart + 1, fontStart + 6),
              (std::vector<std::string>{"setting lineHeight", "setting base", "setting scaleW", "setting scaleH",
                                        "ignoring pages for now"}));
    EXPECT_EQ(fontStart[6].rfind("PASS) Startup sequence completed in ", 0), 0u) << fontStart[6];
    EXPECT_NE(fontStart[6].find(" ms using data/bitfont.tga, data/bitfont.fnt"), std::string::npos) << fontStart[6];
    EXPECT_EQ(out[0], "Loaded 6 sprites");
    EXPECT_EQ(out[1].rfind("Loaded ", 0), 0u) << "then the tiles";
    EXPECT_LT(std::find(out.begin(), out.end(), out[1]), fontStart);

    for (const std::string& line : game.errLines())
        EXPECT_TRUE(line.find("WARN)") == std::string::npos && line.find("FAIL)") == std::string::npos) << line;
}
