#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "BmpFile.h"
#include "GameProcess.h"
#include "Sighting.h"
#include "TestFolder.h"

namespace {

// The real game started in a folder holding the project's content.
class Play : public ::testing::Test
{
protected:
    void SetUp() override { folder.linkGameData(); }

    std::string keep(const std::string& shot, const std::string& name)
    {
        const std::string kept = folder.file(name);
        std::filesystem::copy_file(shot, kept);
        return kept;
    }

    TestFolder folder;
};

long indexOf(const std::vector<std::string>& lines, const std::string& line)
{
    const auto found = std::find(lines.begin(), lines.end(), line);
    return found == lines.end() ? -1 : found - lines.begin();
}

} // namespace

TEST_F(Play, HoldingSpaceForASecondLiftsThePig)
{
    GameProcess game(folder.path());
    ASSERT_TRUE(game.waitForWindow());
    pause(3.0); // objects have time to come into view
    const BmpFile atRest(keep(game.screenshot(), "at-rest.bmp"));
    game.keyDown("space");
    pause(1.0);
    const std::string lifted = keep(game.screenshot(), "lifted.bmp");
    game.keyUp("space");
    game.tap("Escape");
    EXPECT_EQ(game.waitForExit(), 0);

    ASSERT_TRUE(atRest.valid);
    const Sighting resting = findPig(atRest);
    const Sighting flying = findPig(BmpFile(lifted));
    EXPECT_GT(resting.pixels, 400) << "the pig is drawn";
    EXPECT_GT(flying.pixels, 400);
    EXPECT_GT(resting.centreY, 420.0) << "it rests on the bottom edge";
    EXPECT_LT(flying.centreY, resting.centreY - 100.0) << "about 200 pixels a second upwards";
    // Kept beside the test for a person to look at.
    std::filesystem::copy_file(lifted, "PlayTest-lifted.bmp", std::filesystem::copy_options::overwrite_existing);
}

TEST_F(Play, EscapeWhileSpaceIsHeldQuits)
{
    GameProcess game(folder.path());
    ASSERT_TRUE(game.waitForWindow());
    game.keyDown("space");
    pause(0.5);
    game.tap("Escape");
    const int status = game.waitForExit();
    game.keyUp("space");
    EXPECT_EQ(status, 0);
}

TEST_F(Play, TwoScreenshotsLeaveOneValidBitmap)
{
    GameProcess game(folder.path());
    ASSERT_TRUE(game.waitForWindow());
    pause(0.5);
    game.tap("F2");
    game.tap("F2");
    pause(0.5);
    game.tap("Escape");
    EXPECT_EQ(game.waitForExit(), 0);

    std::vector<std::string> bitmaps;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        if (entry.path().extension() == ".bmp")
            bitmaps.push_back(entry.path().filename());
    EXPECT_EQ(bitmaps, std::vector<std::string>{"sshot.bmp"});
    const BmpFile shot(folder.file("sshot.bmp"));
    ASSERT_TRUE(shot.valid);
    EXPECT_EQ(shot.width, 640);
    EXPECT_EQ(shot.height, 480);
    EXPECT_EQ(shot.bitsPerPixel, 24);
}

TEST_F(Play, SpriteManagersReportTheirLoadingInOrderOnTheirStreams)
{
    const int tileCount = countNumberedImages(std::string(GRUBNOSH_SOURCE_DIR) + "/data/tiles");
    GameProcess game(folder.path());
    ASSERT_TRUE(game.waitForWindow());
    game.tap("Escape");
    ASSERT_EQ(game.waitForExit(), 0);

    const std::vector<std::string> out = game.outLines();
    const std::vector<std::string> err = game.errLines();
    const std::string tilesLoaded = "Loaded " + std::to_string(tileCount) + " sprites";
    const std::string tileMissing = "Sorry, sprite data/tiles/" + std::to_string(tileCount) + ".png is missing";

    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(out[0], "Loaded 6 sprites");
    EXPECT_EQ(out[1], tilesLoaded);
    const long spritesMissingAt = indexOf(err, "Sorry, sprite data/sprites/6.png is missing");
    const long tilesMissingAt = indexOf(err, tileMissing);
    EXPECT_GE(spritesMissingAt, 0);
    EXPECT_GT(tilesMissingAt, spritesMissingAt);
    EXPECT_EQ(indexOf(err, "Loaded 6 sprites"), -1);
    EXPECT_EQ(indexOf(out, tileMissing), -1);
}
