#include <gtest/gtest.h>

#include "CGame.h"
#include "FontRaster.h"
#include "GameSuite.h"
#include "GlTestSupport.h"
#include "Platform.h"
#include "TestFolder.h"
#include "TorvaneActor.h"
#include "VeskBitmapFont.h"

namespace {

const int kIconSize = 32;

const ScreenColour kBlack = {0, 0, 0};

class Hud : public GameSuite
{
protected:
    void SetUp() override
    {
        game->score = 0;
        game->missed = 0;
        game->lives = 0;
        game->player->resetAnimation();
        game->player->setRotation(0.0);
        TQ_clearScreen();
    }

    static ScreenImage scoreLine(const std::string& text)
    {
        ScreenImage expected(640, 480);
        gameFontRaster().print(expected, text, 0, 0);
        return expected;
    }

};

} // namespace

TEST_F(Hud, TheScoreLineStandsAloneAtTheTopLeftWhenNoLifeIsLeft)
{
    game->score = 12;
    game->missed = 3;
    game->displayHUD();
    EXPECT_LE(largestDifference(readScreenImage(), scoreLine("SCORE: 12 MISSED: 3"), 0, 0, 640, 480), 2);
}

TEST_F(Hud, OneIconPerLifeStandsInARowUnderTheScoreLine)
{
    game->score = 140;
    game->missed = 27;
    game->lives = 3;
    game->displayHUD();
    const ScreenImage frame = readScreenImage();
    const int top = game->font->getLineHeight();
    ASSERT_GT(top, 0);
    EXPECT_LE(largestDifference(frame, scoreLine("SCORE: 140 MISSED: 27"), 0, 0, 640, top), 2);
    const ScreenColour pig = kStandInSpriteColours[game->player->getFrame()];
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(isNear(frame.at(i * kIconSize, top), pig)) << "icon " << i << " top left";
        EXPECT_TRUE(isNear(frame.at(i * kIconSize + kIconSize - 1, top + kIconSize - 1), pig)) << "icon " << i;
    }
    EXPECT_TRUE(isNear(frame.at(3 * kIconSize, top), kBlack, 7)) << "no fourth icon";
    EXPECT_TRUE(isNear(frame.at(16, top + kIconSize), kBlack, 7)) << "icons are 32 pixels high";
}

TEST_F(Hud, IconsShowThePigAsItLooksNow)
{
    game->lives = 2;
    game->player->temporaryFrame(5);
    game->player->setRotation(45.0);
    game->displayHUD();
    const ScreenImage frame = readScreenImage();
    const int top = game->font->getLineHeight();
    EXPECT_TRUE(isNear(frame.at(16, top + 16), kStandInSpriteColours[5])) << "the hit frame";
    EXPECT_TRUE(isNear(frame.at(48, top + 16), kStandInSpriteColours[5]));
    EXPECT_TRUE(isNear(frame.at(33, top + 1), kBlack, 7)) << "the icon is turned with the pig, leaving its corner empty";
}
