#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "GameProcess.h"
#include "SDL.h"
#include "TestFolder.h"

namespace {

namespace fs = std::filesystem;

const std::string kData = std::string(GRUBNOSH_SOURCE_DIR) + "/data";

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

// The screenshot in one known layout: three bytes per pixel, R, G, B.
Surface asRgb(SDL_Surface* shot)
{
    Surface rgb(SDL_CreateRGBSurface(SDL_SWSURFACE, shot->w, shot->h, 24, 0xFF, 0xFF00, 0xFF0000, 0),
                SDL_FreeSurface);
    SDL_BlitSurface(shot, NULL, rgb.get(), NULL);
    SDL_FreeSurface(shot);
    return rgb;
}

// Presses F2 and waits for the game to finish writing sshot.bmp.
Surface screenshot(GameProcess& game, const TestFolder& folder)
{
    const std::string path = folder.file("sshot.bmp");
    fs::remove(path);
    game.tap("F2");
    for (int tries = 0; tries < 100; ++tries) {
        pause(0.1);
        SDL_Surface* shot = SDL_LoadBMP(path.c_str());
        if (shot != NULL)
            return asRgb(shot);
    }
    return Surface(NULL, SDL_FreeSurface);
}

struct Rgb
{
    int r, g, b;
};

Rgb pixel(SDL_Surface* shot, int px, int py)
{
    const Uint8* p = static_cast<Uint8*>(shot->pixels) + py * shot->pitch + px * 3;
    return {p[0], p[1], p[2]};
}

// Share of the pixels in a band of rows for which the test holds.
template <typename Test>
double share(SDL_Surface* shot, int top, int bottom, Test test)
{
    int hits = 0;
    for (int py = top; py < bottom; ++py)
        for (int px = 0; px < shot->w; ++px)
            hits += test(pixel(shot, px, py));
    return static_cast<double>(hits) / ((bottom - top) * shot->w);
}

bool isBlack(const Rgb& c)
{
    return c.r < 24 && c.g < 24 && c.b < 24;
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
    Surface first = screenshot(*game, folder);
    pause(1.5);
    Surface later = screenshot(*game, folder);
    quit();
    ASSERT_TRUE(first && later) << "no sshot.bmp";
    ASSERT_EQ(first->w, 640);
    ASSERT_EQ(first->h, 480);

    EXPECT_LT(share(first.get(), 0, 480, isBlack), 0.05) << "the background covers the window";
    // The score line and the row of life icons cover the top 52 rows.
    EXPECT_GT(share(first.get(), 52, 96, [](const Rgb& c) { return c.b > c.r + 30; }), 0.9) << "a sky on top";
    EXPECT_GT(share(first.get(), 432, 480, [](const Rgb& c) { return c.g > c.b + 30; }), 0.6) << "green ground";

    // Hills, farm and fence have moved on; the sky rows alone may look alike.
    int moved = 0;
    for (int py = 240; py < 432; ++py)
        for (int px = 80; px < 640; ++px) {
            const Rgb a = pixel(first.get(), px, py), b = pixel(later.get(), px, py);
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
    Surface shot = screenshot(*game, folder);
    quit();

    const std::vector<std::string> err = game->errLines();
    EXPECT_EQ(std::count(err.begin(), err.end(), "map file data/map.dat is missing"), 1);
    const std::vector<std::string> out = game->outLines();
    EXPECT_EQ(std::count(out.begin(), out.end(), "map loaded...."), 0);
    ASSERT_TRUE(shot) << "no sshot.bmp";
    EXPECT_GT(share(shot.get(), 96, 400, isBlack), 0.8) << "only the flying objects are drawn";
}
