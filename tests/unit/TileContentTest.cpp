#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "Map.h"
#include "OutputCapture.h"
#include "SDL_image.h"

// The shipped landscape: data/map.dat and data/tiles as the game loads them.
namespace {

const std::string kData = std::string(GRUBNOSH_SOURCE_DIR) + "/data/";
const int kVisibleRows = 10;

using Surface = std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)>;

Surface loadTile(int number)
{
    return Surface(IMG_Load((kData + "tiles/" + std::to_string(number) + ".png").c_str()), SDL_FreeSurface);
}

// Tile images converted to one RGB layout, by tile number.
class Tiles
{
public:
    SDL_Surface* operator[](int number)
    {
        auto found = images.find(number);
        if (found != images.end())
            return found->second.get();
        Surface loaded = loadTile(number);
        if (!loaded)
            return nullptr;
        SDL_PixelFormat rgb = {};
        rgb.BitsPerPixel = 32;
        rgb.BytesPerPixel = 4;
        rgb.Rmask = 0xFF;
        rgb.Gmask = 0xFF00;
        rgb.Bmask = 0xFF0000;
        rgb.Gshift = 8;
        rgb.Bshift = 16;
        Surface converted(SDL_ConvertSurface(loaded.get(), &rgb, SDL_SWSURFACE), SDL_FreeSurface);
        return images.emplace(number, std::move(converted)).first->second.get();
    }

private:
    std::map<int, Surface> images;
};

Uint8 channel(SDL_Surface* image, int px, int py, int c)
{
    return static_cast<Uint8*>(image->pixels)[py * image->pitch + px * 4 + c];
}

// The largest colour step between texel lines (columns when vertical, rows
// otherwise) of two images, summed over the channels.
int largestStep(SDL_Surface* a, int lineA, SDL_Surface* b, int lineB, bool vertical)
{
    int largest = 0;
    for (int i = 0; i < 64; ++i) {
        int step = 0;
        for (int c = 0; c < 3; ++c)
            step += vertical ? abs(channel(a, lineA, i, c) - channel(b, lineB, i, c))
                             : abs(channel(a, i, lineA, c) - channel(b, i, lineB, c));
        largest = std::max(largest, step);
    }
    return largest;
}

// How much sharper the step across the border between two tiles is than the
// steps just inside them: a seam where the pictures do not continue.
int seam(SDL_Surface* first, SDL_Surface* second, bool vertical)
{
    const int across = largestStep(first, 63, second, 0, vertical);
    const int inside = std::max(largestStep(first, 62, first, 63, vertical), largestStep(second, 0, second, 1, vertical));
    return across - inside;
}

class TileContent : public ::testing::Test
{
protected:
    void SetUp() override
    {
        OutputCapture capture;
        ASSERT_EQ(map.loadMap((kData + "map.dat").c_str()), 0);
        EXPECT_EQ(capture.err(), "") << "the shipped map has no bad cells";
    }

    Map map{};
    Tiles tiles;
};

} // namespace

TEST_F(TileContent, EveryVisibleCellHasAPictureOfTheRightSize)
{
    int loadable = 0;
    while (Surface(loadTile(loadable)))
        ++loadable;
    EXPECT_GT(loadable, 62) << "every tile number a map can hold has a picture";
    for (int row = 0; row < kVisibleRows; ++row) {
        for (int column = 0; column < MAP_COLUMNS; ++column) {
            const int tile = map.getTileAt(column, row);
            EXPECT_GT(tile, 0) << "an empty cell shows black at " << column << "," << row;
            EXPECT_LT(tile, loadable) << "loading stops at the first missing number";
        }
    }
    for (int n = 0; n < loadable; ++n) {
        EXPECT_EQ(tiles[n]->w, 64) << n;
        EXPECT_EQ(tiles[n]->h, 64) << n;
    }
}

TEST_F(TileContent, NeighbouringTilesMeetWithoutASeamAlsoFromColumn19ToColumn0)
{
    for (int row = 0; row < kVisibleRows; ++row) {
        for (int column = 0; column < MAP_COLUMNS; ++column) {
            SDL_Surface* here = tiles[map.getTileAt(column, row)];
            SDL_Surface* right = tiles[map.getTileAt(column + 1, row)];
            ASSERT_TRUE(here && right);
            EXPECT_LT(seam(here, right, true), 24) << column << "," << row;
            if (row + 1 < kVisibleRows) {
                SDL_Surface* below = tiles[map.getTileAt(column, row + 1)];
                ASSERT_TRUE(below);
                // Hill lines cross row borders at a slant, so the steps vary more there.
                EXPECT_LT(seam(here, below, false), 48) << column << "," << row;
            }
        }
    }
}

TEST_F(TileContent, GroundAlongTheBottomIsSolidAndTheSkyIsOpen)
{
    for (int column = 0; column < MAP_COLUMNS; ++column) {
        EXPECT_TRUE(map.isSolidTile(column, kVisibleRows - 1)) << column;
        EXPECT_FALSE(map.isSolidTile(column, 0)) << column;
    }
}
