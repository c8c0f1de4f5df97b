#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <regex>

#include "FontRaster.h"
#include "GameProcess.h"
#include "Rank.h"
#include "TestFolder.h"

namespace {

const int kFirstLineTop = 220;
const double kLongestGameSeconds = 240.0;

class GameOverScreen : public ::testing::Test
{
protected:
    GameOverScreen() : font(gameFontRaster()) { folder.linkGameData(); }

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

TEST_F(GameOverScreen, StartUpLogsSpritesTilesMapAndFontInOrderOnTheirStreams)
{
    GameProcess game(folder.path());
    ASSERT_TRUE(game.waitForWindow());
    game.tap("Escape");
    ASSERT_EQ(game.waitForExit(), 0);

    const int sprites = countNumberedImages(folder.file("data/sprites"));
    const int tiles = countNumberedImages(folder.file("data/tiles"));
    std::vector<std::string> out = game.outLines();
    ASSERT_EQ(out.size(), 10u) << game.out();
    const std::string timing = out[9];
    EXPECT_TRUE(std::regex_match(timing, std::regex("PASS\\) Startup sequence completed in [0-9]+ ms using "
                                                    "data/bitfont.tga, data/bitfont.fnt")))
        << timing;
    out.pop_back();
    EXPECT_EQ(out, (std::vector<std::string>{
                       "Loaded " + std::to_string(sprites) + " sprites", "Loaded " + std::to_string(tiles) + " sprites",
                       "map loaded....", "INFO) Initializing bitmap font load (tga:data/bitfont.tga fnt:data/bitfont.fnt)",
                       "setting lineHeight", "setting base", "setting scaleW", "setting scaleH",
                       "ignoring pages for now"}));
    EXPECT_EQ(game.errLines(), (std::vector<std::string>{
                                   "Sorry, sprite data/sprites/" + std::to_string(sprites) + ".png is missing",
                                   "Sorry, sprite data/tiles/" + std::to_string(tiles) + ".png is missing"}));
}
