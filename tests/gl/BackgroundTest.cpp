#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "CGame.h"
#include "GameSuite.h"
#include "GlTestSupport.h"
#include "Map.h"
#include "OutputCapture.h"
#include "SpriteManager.h"
#include "TestFolder.h"

namespace {

const int kTileColours = 6;

const ScreenColour kBlack = {0, 0, 0};
// Tile n is one flat colour, so every pixel tells which tile covers it.
const ScreenColour kTileColour[kTileColours + 1] = {
    kBlack, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}, {255, 0, 255}, {0, 255, 255}};
// Linear filtering may blur a tile's colour a little at its edges.
const int kTolerance = 7;

// Neighbouring columns and rows, and column 19 next to column 0, all differ.
int patternTile(int column, int row)
{
    return 1 + (column + 2 * row) % kTileColours;
}

class Background : public GameSuite
{
protected:
    // The game starts on the stand-in sprites and the real data, then gets
    // flat-coloured tiles and a patterned map of the test's own.
    static void SetUpTestSuite()
    {
        startX = x;
        GameSuite::SetUpTestSuite();
        game->tiles->freeSprites();
        for (int n = 0; n <= kTileColours; ++n) {
            const std::string path = folder->file(std::to_string(n) + ".png");
            const ScreenColour colour = kTileColour[n];
            writeSolidImage(path, 64, colour.r, colour.g, colour.b);
            ASSERT_EQ(game->tiles->addSprite(path.c_str()), n);
        }
    }

    void SetUp() override
    {
        game->score = 0;
        game->map->Init();
        for (int row = 0; row < MAP_ROWS; ++row)
            for (int column = 0; column < MAP_COLUMNS; ++column)
                game->map->setTileAt(column, row, patternTile(column, row));
    }

    static ScreenImage drawFrame(float dt)
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        game->drawBackground(dt);
        return readScreenImage();
    }

    // Every pixel must show the tile that the map coordinate (screen x + left edge) falls on.
    static void expectMapAt(const ScreenImage& frame, int leftEdge)
    {
        int wrong = 0;
        for (int sy = 0; sy < kScreenHeight; ++sy) {
            for (int sx = 0; sx < kScreenWidth; ++sx) {
                const int tile = game->map->getTileAt((sx + leftEdge) / TILE_SIZE, sy / TILE_SIZE);
                const ScreenColour expected = tile > 0 ? kTileColour[tile] : kBlack;
                if (!isNear(frame.at(sx, sy), expected, kTolerance) && wrong++ == 0)
                    ADD_FAILURE() << "pixel " << sx << "," << sy << " is " << describe(frame.at(sx, sy))
                                  << ", expected tile " << tile << " " << describe(expected);
            }
        }
        EXPECT_EQ(wrong, 0) << "pixels off the arithmetic with left edge " << leftEdge;
    }

    static inline float startX = 0.0f;
};

} // namespace

TEST_F(Background, FirstFrameScrollsFrom350AtSixtyPixelsPerSecond)
{
    EXPECT_EQ(startX, 350.0f);
    x = startX;
    const ScreenImage frame = drawFrame(0.25f);
    EXPECT_EQ(x, 365.0f);
    // Left edge 365 - 320: column 0 shows its last three pixels, column 1 starts at 3.
    expectMapAt(frame, 45);
    EXPECT_TRUE(isNear(frame.at(2, 10), kTileColour[patternTile(0, 0)], kTolerance));
    EXPECT_TRUE(isNear(frame.at(3, 10), kTileColour[patternTile(1, 0)], kTolerance));
    EXPECT_TRUE(isNear(frame.at(3, 47), kTileColour[patternTile(1, 0)], kTolerance));
    EXPECT_TRUE(isNear(frame.at(3, 48), kTileColour[patternTile(1, 1)], kTolerance));
}

TEST_F(Background, PaceGrowsWithTheScore)
{
    game->score = 100;
    x = 350.0f;
    expectMapAt(drawFrame(0.5f), 110);
    EXPECT_EQ(x, 430.0f);
    expectMapAt(drawFrame(0.0f), 110);
}

TEST_F(Background, WrapsOnlyAbove1310)
{
    x = 1295.0f;
    const ScreenImage atThreshold = drawFrame(0.25f);
    EXPECT_EQ(x, 1310.0f);
    expectMapAt(atThreshold, 990);

    x = 1295.5f;
    const ScreenImage wrapped = drawFrame(0.25f);
    EXPECT_EQ(x, 350.5f);
    expectMapAt(wrapped, 30);
}

TEST_F(Background, TheWrapStepIsInvisible)
{
    x = 1290.0f;
    const ScreenImage before = drawFrame(0.25f);
    ASSERT_EQ(x, 1305.0f);
    const ScreenImage after = drawFrame(0.25f);
    ASSERT_EQ(x, 360.0f);
    // The second frame is the first moved 15 pixels to the left, nothing else.
    int jumps = 0;
    for (int sy = 0; sy < kScreenHeight; sy += 3)
        for (int sx = 0; sx + 15 < kScreenWidth; ++sx)
            jumps += !isNear(after.at(sx, sy), before.at(sx + 15, sy), kTolerance);
    EXPECT_EQ(jumps, 0);
}

TEST_F(Background, EmptyAndNegativeCellsShowTheClearColour)
{
    game->map->setTileAt(8, 0, 0);
    game->map->setTileAt(9, 0, -3);
    game->map->setTileAt(10, 9, INT_MIN);
    x = 350.0f;
    OutputCapture capture;
    const ScreenImage frame = drawFrame(0.0f);
    EXPECT_EQ(capture.err(), "") << "a negative cell is not even asked for";
    expectMapAt(frame, 30);
    EXPECT_TRUE(isNear(frame.at(8 * 48 - 30 + 24, 24), kBlack, kTolerance));
    EXPECT_TRUE(isNear(frame.at(9 * 48 - 30 + 24, 24), kBlack, kTolerance));
    EXPECT_TRUE(isNear(frame.at(10 * 48 - 30 + 24, 9 * 48 + 24), kBlack, kTolerance));
}
