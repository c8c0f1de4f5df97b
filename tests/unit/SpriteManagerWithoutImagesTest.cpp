#include <gtest/gtest.h>

#include "OutputCapture.h"
#include "SpriteManager.h"

TEST(SpriteManagerWithoutImages, MissingFolderLoadsNothingAndSaysSo)
{
    OutputCapture capture;
    SpriteManager manager("/nonexistent-sprite-folder");
    EXPECT_EQ(manager.size(), 0);
    EXPECT_EQ(capture.err(), "Sorry, sprite /nonexistent-sprite-folder/0.png is missing\n");
    EXPECT_EQ(capture.out(), "Loaded 0 sprites\n");
}

TEST(SpriteManagerWithoutImages, ScreenSizeDefaultsTo100000UntilSet)
{
    OutputCapture capture;
    SpriteManager manager("/nonexistent-sprite-folder");
    EXPECT_EQ(manager.getScreenWidth(), 100000);
    EXPECT_EQ(manager.getScreenHeight(), 100000);
    manager.setScreenSize(640, 480);
    EXPECT_EQ(manager.getScreenWidth(), 640);
    EXPECT_EQ(manager.getScreenHeight(), 480);
}

TEST(SpriteManagerWithoutImages, LookupOutsideTheListSaysOutOfBounds)
{
    OutputCapture quiet;
    SpriteManager manager("/nonexistent-sprite-folder");
    quiet.out();
    OutputCapture capture;
    EXPECT_EQ(manager.getSprite(0), nullptr);
    EXPECT_EQ(manager.getSprite(-1), nullptr);
    EXPECT_EQ(capture.errLines(),
              (std::vector<std::string>{"Requested sprite 0 is out of bounds",
                                        "Requested sprite -1 is out of bounds"}));
}

TEST(SpriteManagerWithoutImages, UnreadableFileIsMissingAndAddsNothing)
{
    OutputCapture capture;
    SpriteManager manager("/nonexistent-sprite-folder");
    EXPECT_EQ(manager.addSprite("/dev/null"), -1);
    EXPECT_EQ(manager.size(), 0);
    EXPECT_EQ(capture.errLines().back(), "Sorry, sprite /dev/null is missing");
}
