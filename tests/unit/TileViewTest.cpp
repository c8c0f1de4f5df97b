#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Map.h"
#include "TileView.h"

namespace {

std::string describe(const TileViewCell& cell)
{
    return "column " + std::to_string(cell.column) + " row " + std::to_string(cell.row) + " at " +
           std::to_string(cell.screenX) + "," + std::to_string(cell.screenY);
}

bool same(const TileViewCell& a, const TileViewCell& b)
{
    return describe(a) == describe(b);
}

// Scroll positions as the game, the editor and other games use them.
struct ViewCase
{
    const char* name;
    int left, top;
    TileViewCell topLeft;     // the cell under screen pixel (0, 0)
    TileViewCell bottomRight; // the cell under screen pixel (639, 479)
    size_t columns;           // wholly or partly on the screen, in each of its ten rows
};

const ViewCase kViews[] = {
    {"column 0 at the left edge", 0, 0, {0, 0, 0, 0}, {13, 9, 624, 432}, 14},
    {"the game's start, map pixel 30 at the left edge", 30, 0, {0, 0, -30, 0}, {13, 9, 594, 432}, 14},
    {"cut cells at both edges", 40, 0, {0, 0, -40, 0}, {14, 9, 632, 432}, 15},
    {"the game before its wrap, past the map's right end", 990, 0, {0, 0, -30, 0}, {13, 9, 594, 432}, 14},
    {"left of column 0, the map's repeat", -18, 0, {19, 0, -30, 0}, {12, 9, 594, 432}, 14},
    {"scrolled down to the last row", 0, 48, {0, 1, 0, 0}, {13, 10, 624, 432}, 14},
};

} // namespace

TEST(TileView, FindsTheCellUnderAPixelAndVisitsExactlyTheCellsOnTheScreen)
{
    for (const ViewCase& test : kViews) {
        SCOPED_TRACE(test.name);
        TileView view(640, 480);
        view.scrollTo(test.left, test.top);
        TileViewCell cell = {};
        ASSERT_TRUE(view.cellAt(0, 0, cell));
        EXPECT_TRUE(same(cell, test.topLeft)) << describe(cell);
        ASSERT_TRUE(view.cellAt(639, 479, cell));
        EXPECT_TRUE(same(cell, test.bottomRight)) << describe(cell);
        for (const auto& outside : {std::pair(-1, 0), std::pair(0, -1), std::pair(640, 0), std::pair(0, 480)})
            EXPECT_FALSE(view.cellAt(outside.first, outside.second, cell)) << outside.first << "," << outside.second;

        std::vector<TileViewCell> visited;
        view.forEachVisibleCell([&](const TileViewCell& visit) { visited.push_back(visit); });
        ASSERT_FALSE(visited.empty());
        EXPECT_TRUE(same(visited.front(), test.topLeft)) << describe(visited.front());
        EXPECT_TRUE(same(visited.back(), test.bottomRight)) << describe(visited.back());
        EXPECT_EQ(visited.size(), 10 * test.columns);
    }
}

TEST(TileView, ShowsNothingAboveOrBelowTheMap)
{
    TileView view(640, 480);
    view.scrollTo(0, -60);
    TileViewCell cell = {};
    EXPECT_FALSE(view.cellAt(0, 59, cell)) << "above row 0";
    ASSERT_TRUE(view.cellAt(0, 60, cell));
    EXPECT_EQ(cell.row, 0);
    int rows = 0;
    view.forEachVisibleCell([&](const TileViewCell& visit) { rows += visit.column == 0; });
    EXPECT_EQ(rows, 9) << "rows 0 to 8 from screen pixel 60 on";
}

TEST(TileView, ScrollsRoundTheMapSidewaysAndStopsAtItsTopAndBottom)
{
    TileView view(640, 480);
    view.centreOn(350.9f);
    EXPECT_EQ(view.getLeft(), 30) << "the position is truncated, then half the screen taken off";
    view.scrollBy(-TILE_SIZE, 0);
    EXPECT_EQ(view.getLeft(), 30 - TILE_SIZE + MAP_COLUMNS * TILE_SIZE);
    view.scrollBy(MAP_COLUMNS * TILE_SIZE + TILE_SIZE, 0);
    EXPECT_EQ(view.getLeft(), 30);
    view.scrollBy(0, 3 * TILE_SIZE);
    EXPECT_EQ(view.getTop(), MAP_ROWS * TILE_SIZE - 480);
    view.scrollBy(0, -5 * TILE_SIZE);
    EXPECT_EQ(view.getTop(), 0);
}
