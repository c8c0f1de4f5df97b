#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "BmpFile.h"
#include "GameProcess.h"
#include "TestFolder.h"

namespace {

namespace fs = std::filesystem;

const std::string kData = std::string(GRUBNOSH_SOURCE_DIR) + "/data";

// Share of the pixels in a band of rows for which the test holds.
template <typename Test>
double share(const BmpFile& shot, int top, int bottom, Test test)
{
    int hits = 0;
    for (int py = top; py < bottom; ++py)
        for (int px = 0; px < shot.width; ++px)
            hits += test(shot.at(px, py));
    return static_cast<double>(hits) / ((bottom - top) * shot.width);
}

bool isBlack(ScreenColour c)
{
    return isNear(c, ScreenColour{0, 0, 0}, 23);
}

class Scene : public ::testing::Test
{
protected:
    // Starts the game in the folder and gives it a moment to draw.
    void start()
    {
        game.reset(new GameProcess(folder.path()));
        ASSERT_TRUE(game->waitForWindow());
        pause(0.5);
    }

    void quit()
    {
        game->tap("Escape");
        EXPECT_EQ(game->waitForExit(), 0);
    }

    TestFolder folder;
    std::unique_ptr<GameProcess> game;
};

} // namespace

TEST_F(Scene, StartUpLoadsTheMapRightAfterTheTiles)
{
    folder.linkGameData();
    start();
    quit();

    const std::vector<std::string> out = game->outLines();
    std::vector<size_t> loaded;
    for (size_t i = 0; i < out.size(); ++i)
        if (out[i].rfind("Loaded ", 0) == 0)
            loaded.push_back(i);
    ASSERT_GE(loaded.size(), 2u) << game->out();
    const size_t tilesLine = loaded[1];
    EXPECT_EQ(out[tilesLine], "Loaded " + std::to_string(countNumberedImages(kData + "/tiles")) + " sprites");
    ASSERT_LT(tilesLine + 1, out.size());
    EXPECT_EQ(out[tilesLine + 1], "map loaded....");
    EXPECT_EQ(std::count(out.begin(), out.end(), "map loaded...."), 1);
    for (const std::string& line : game->errLines()) {
        EXPECT_EQ(line.find("negative tile"), std::string::npos) << line;
        EXPECT_EQ(line.find("map file"), std::string::npos) << line;
    }
}

TEST_F(Scene, ScreenshotsShowTheLandscapeScrolling)
{
    folder.linkGameData();
    start();
    // Each picture is read whole, before the next replaces the file.
    const BmpFile first(game->screenshot());
    pause(1.5);
    const BmpFile later(game->screenshot());
    quit();
    ASSERT_TRUE(first.valid && later.valid) << "no sshot.bmp";
    ASSERT_EQ(first.width, 640);
    ASSERT_EQ(first.height, 480);

    EXPECT_LT(share(first, 0, 480, isBlack), 0.05) << "the background covers the window";
    // The score line and the row of life icons cover the top 52 rows.
    EXPECT_GT(share(first, 52, 96, [](ScreenColour c) { return c.b > c.r + 30; }), 0.9) << "a sky on top";
    EXPECT_GT(share(first, 432, 480, [](ScreenColour c) { return c.g > c.b + 30; }), 0.6) << "green ground";

    // Hills, farm and fence have moved on; the sky rows alone may look alike.
    int moved = 0;
    for (int py = 240; py < 432; ++py)
        for (int px = 80; px < 640; ++px) {
            const ScreenColour a = first.at(px, py), b = later.at(px, py);
            moved += abs(a.r - b.r) + abs(a.g - b.g) + abs(a.b - b.b) > 24;
        }
    EXPECT_GT(moved, 2000);
}

TEST_F(Scene, WithoutAMapFileTheBackgroundStaysBlack)
{
    fs::create_directory(folder.file("data"));
    for (const fs::directory_entry& entry : fs::directory_iterator(kData))
        if (entry.path().filename() != "map.dat")
            fs::create_symlink(entry.path(), folder.file("data/" + entry.path().filename().string()));
    start();
    const BmpFile shot(game->screenshot());
    quit();

    const std::vector<std::string> err = game->errLines();
    EXPECT_EQ(std::count(err.begin(), err.end(), "map file data/map.dat is missing"), 1);
    const std::vector<std::string> out = game->outLines();
    EXPECT_EQ(std::count(out.begin(), out.end(), "map loaded...."), 0);
    ASSERT_TRUE(shot.valid) << "no sshot.bmp";
    EXPECT_GT(share(shot, 96, 400, isBlack), 0.8) << "only the flying objects are drawn";
}
