#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <new>
#include <set>

#include "Map.h"

namespace {

// Every cell gets its own number, so a query shows which cell it read.
int numberOf(int column, int row)
{
    return row * MAP_COLUMNS + column + 1;
}

void numberEveryCell(Map& map)
{
    for (int row = 0; row < MAP_ROWS; ++row)
        for (int column = 0; column < MAP_COLUMNS; ++column)
            map.setTileAt(column, row, numberOf(column, row));
}

// Steps the animation from frame 0 to the wanted frame with whole steps.
void stepTo(Map& map, int frame)
{
    for (int i = 0; i < frame; ++i)
        map.updateTileAnimation(0.15f);
}

} // namespace

TEST(Map, ValueInitialisedMapIsEmptyAtFrameZeroWithNoTimeGathered)
{
    // Dirty memory first, so that only value-initialisation can clear it.
    alignas(Map) unsigned char storage[sizeof(Map)];
    memset(storage, 0xAB, sizeof storage);
    Map* map = new (storage) Map();
    for (int row = 0; row < MAP_ROWS; ++row)
        for (int column = 0; column < MAP_COLUMNS; ++column)
            ASSERT_EQ(map->getTileAt(column, row), 0) << column << "," << row;
    EXPECT_EQ(map->getTileFrame(), 0);
    map->updateTileAnimation(0.1f);
    EXPECT_EQ(map->getTileFrame(), 0) << "the clock started above 0";
    map->updateTileAnimation(0.05f);
    EXPECT_EQ(map->getTileFrame(), 1);
    map->~Map();
}

TEST(Map, GetTileAtWrapsColumnsButNotRows)
{
    Map map{};
    numberEveryCell(map);
    EXPECT_EQ(map.getTileAt(0, 0), numberOf(0, 0));
    EXPECT_EQ(map.getTileAt(19, 10), numberOf(19, 10));
    EXPECT_EQ(map.getTileAt(20, 3), numberOf(0, 3));
    EXPECT_EQ(map.getTileAt(39, 3), numberOf(19, 3));
    EXPECT_EQ(map.getTileAt(47, 3), numberOf(7, 3));
    EXPECT_EQ(map.getTileAt(INT_MAX, 3), numberOf(INT_MAX % 20, 3)) << "one step, not a billion";

    EXPECT_EQ(map.getTileAt(-1, 3), 0);
    EXPECT_EQ(map.getTileAt(-20, 3), 0) << "columns wrap only to the right";
    EXPECT_EQ(map.getTileAt(INT_MIN, 3), 0);
    EXPECT_EQ(map.getTileAt(3, -1), 0);
    EXPECT_EQ(map.getTileAt(3, 11), 0);
    EXPECT_EQ(map.getTileAt(23, 11), 0);
}

TEST(Map, SetTileAtStoresAnyNumberInsideTheGridOnly)
{
    Map map{};
    map.setTileAt(20, 3, 5);
    map.setTileAt(-1, 3, 5);
    map.setTileAt(3, -1, 5);
    map.setTileAt(3, 11, 5);
    EXPECT_EQ(map.getTileAt(20, 3), 0) << "reading wraps, writing does not";
    for (int row = 0; row < MAP_ROWS; ++row)
        for (int column = 0; column < MAP_COLUMNS; ++column)
            ASSERT_EQ(map.getTileAt(column, row), 0) << column << "," << row;

    map.setTileAt(19, 10, -5);
    map.setTileAt(0, 0, 100000);
    EXPECT_EQ(map.getTileAt(19, 10), -5);
    EXPECT_EQ(map.getTileAt(0, 0), 100000);
}

TEST(Map, InitEmptiesTheGridAndKeepsTheAnimation)
{
    Map map{};
    numberEveryCell(map);
    stepTo(map, 1);
    map.updateTileAnimation(0.1f);
    map.Init();
    EXPECT_EQ(map.getTileAt(0, 0), 0);
    EXPECT_EQ(map.getTileAt(19, 10), 0);
    EXPECT_EQ(map.getTileFrame(), 1);
    map.updateTileAnimation(0.1f);
    EXPECT_EQ(map.getTileFrame(), 2) << "the 0.1 s gathered before Init was kept";
}

TEST(Map, TileRolesFollowTheFixedTable)
{
    const std::set<int> solid = {1, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 28, 29, 30, 31, 32, 33, 34, 38};
    const std::set<int> passesBullets = {22, 30, 31, 32, 33};
    ASSERT_EQ(solid.size(), 20u);
    Map map{};
    for (int tile = -70; tile <= 70; ++tile) {
        const bool isSolid = solid.count(tile) == 1;
        EXPECT_EQ(map.isSolidType(tile), isSolid) << tile;
        EXPECT_EQ(map.isAnimatedTile(tile), tile == 22 || tile == 35) << tile;
        map.setTileAt(4, 2, tile);
        EXPECT_EQ(map.isSolidTile(4, 2), isSolid) << tile;
        EXPECT_EQ(map.isSolid(200.0f, 100.0f), isSolid) << tile;
        const bool stopsBullets = isSolid && passesBullets.count(tile) == 0;
        EXPECT_EQ(map.isBulletSolid(200.0f, 100.0f), stopsBullets) << tile;
        EXPECT_EQ(map.isBulletSolidTile(4, 2), stopsBullets) << tile;
    }
}

TEST(Map, EverythingOutsideTheGridIsSolid)
{
    Map map{};
    EXPECT_TRUE(map.isSolidTile(-1, 0));
    EXPECT_TRUE(map.isSolidTile(20, 0));
    EXPECT_TRUE(map.isSolidTile(0, -1));
    EXPECT_TRUE(map.isSolidTile(0, 11));
    EXPECT_FALSE(map.isSolidTile(0, 0));
    EXPECT_FALSE(map.isSolidTile(19, 10));

    EXPECT_TRUE(map.isBulletSolidTile(20, 0)) << "tests the pixel (960, 0)";
    EXPECT_TRUE(map.isBulletSolidTile(0, 11));
    EXPECT_TRUE(map.isBulletSolidTile(-1, 0));
    EXPECT_TRUE(map.isBulletSolidTile(INT_MAX, 0)) << "no overflow back into the map";
    EXPECT_TRUE(map.isBulletSolidTile(0, INT_MIN));
}

TEST(Map, PixelBoundsAreTestedOnTheFloatsBeforeTruncation)
{
    Map map{};
    EXPECT_FALSE(map.isSolid(959.9f, 0.0f));
    EXPECT_TRUE(map.isSolid(960.0f, 0.0f));
    EXPECT_FALSE(map.isSolid(0.0f, 527.9f));
    EXPECT_TRUE(map.isSolid(0.0f, 528.0f));
    EXPECT_TRUE(map.isSolid(-0.1f, 0.0f)) << "would truncate to column 0";
    EXPECT_TRUE(map.isSolid(0.0f, -0.5f));
    EXPECT_TRUE(map.isSolid(NAN, 0.0f));
    EXPECT_TRUE(map.isBulletSolid(960.0f, 0.0f));
    EXPECT_TRUE(map.isBulletSolid(-0.1f, 0.0f));
    EXPECT_FALSE(map.isBulletSolid(959.9f, 527.9f));

    map.setTileAt(19, 0, 1);
    map.setTileAt(0, 10, 1);
    map.setTileAt(1, 0, 1);
    EXPECT_TRUE(map.isSolid(959.9f, 0.0f)) << "column 19";
    EXPECT_TRUE(map.isSolid(0.0f, 527.9f)) << "row 10";
    EXPECT_FALSE(map.isSolid(47.99f, 0.0f)) << "still column 0";
    EXPECT_TRUE(map.isSolid(48.0f, 0.0f)) << "column 1";
    EXPECT_FALSE(map.isSolid(0.0f, 479.9f)) << "row 9";
}

TEST(Map, BulletSolidTileTestsTheCellsTopLeftPixel)
{
    Map map{};
    map.setTileAt(19, 10, 1);
    EXPECT_TRUE(map.isBulletSolidTile(19, 10)) << "(912, 480) lies inside the map";
    map.setTileAt(19, 10, 30);
    EXPECT_FALSE(map.isBulletSolidTile(19, 10));
    EXPECT_TRUE(map.isSolidTile(19, 10));
}

TEST(Map, AnimationStepsEvery015SecondsAndDropsTheRest)
{
    Map map{};
    map.updateTileAnimation(0.1f);
    EXPECT_EQ(map.getTileFrame(), 0);
    map.updateTileAnimation(0.1f);
    EXPECT_EQ(map.getTileFrame(), 1);
    map.updateTileAnimation(0.1f);
    EXPECT_EQ(map.getTileFrame(), 1) << "0.05 s left over would have stepped again";
    map.updateTileAnimation(0.1f);
    EXPECT_EQ(map.getTileFrame(), 2);

    map.updateTileAnimation(0.15f);
    EXPECT_EQ(map.getTileFrame(), 0) << "after frame 2 comes frame 0";
    map.updateTileAnimation(1.0f);
    EXPECT_EQ(map.getTileFrame(), 1) << "one step per call however long the frame";
    map.updateTileAnimation(0.0f);
    EXPECT_EQ(map.getTileFrame(), 1);
}
