#include "TileView.h"

#include <algorithm>

#include "Map.h"

namespace {

// Division that rounds down, so that pixel -1 lies in cell -1, not in cell 0.
int floorDivide(int value, int divisor)
{
    const int quotient = value / divisor;
    return value % divisor < 0 ? quotient - 1 : quotient;
}

// A column of the endless row of repeats, brought into the map.
int wrapColumn(int column)
{
    const int rest = column % MAP_COLUMNS;
    return rest < 0 ? rest + MAP_COLUMNS : rest;
}

} // namespace

TileView::TileView(int screenWidth, int screenHeight) : screenWidth(screenWidth), screenHeight(screenHeight)
{
}

void TileView::scrollTo(int newLeft, int newTop)
{
    left = newLeft;
    top = newTop;
}

void TileView::centreOn(float mapX)
{
    left = static_cast<int>(mapX) - screenWidth / 2;
}

void TileView::scrollBy(int dx, int dy)
{
    left = (left + dx) % MAP_WIDTH;
    if (left < 0)
        left += MAP_WIDTH;
    top = std::clamp(top + dy, 0, std::max(0, MAP_HEIGHT - screenHeight));
}

TileViewCell TileView::cellOf(int wideColumn, int row) const
{
    return TileViewCell{wrapColumn(wideColumn), row, wideColumn * TILE_SIZE - left, row * TILE_SIZE - top};
}

bool TileView::cellAt(int screenX, int screenY, TileViewCell& cell) const
{
    if (screenX < 0 || screenY < 0 || screenX >= screenWidth || screenY >= screenHeight)
        return false;
    const int row = floorDivide(top + screenY, TILE_SIZE);
    if (row < 0 || row >= MAP_ROWS)
        return false;
    cell = cellOf(floorDivide(left + screenX, TILE_SIZE), row);
    return true;
}

void TileView::forEachVisibleCell(const CellVisitor& visit) const
{
    const int firstRow = std::max(0, floorDivide(top, TILE_SIZE));
    const int lastRow = std::min(MAP_ROWS - 1, floorDivide(top + screenHeight - 1, TILE_SIZE));
    const int firstColumn = floorDivide(left, TILE_SIZE);
    const int lastColumn = floorDivide(left + screenWidth - 1, TILE_SIZE);
    for (int row = firstRow; row <= lastRow; ++row)
        for (int column = firstColumn; column <= lastColumn; ++column)
            visit(cellOf(column, row));
}
