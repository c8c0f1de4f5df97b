#include "MapView.h"

#include <algorithm>

#include "Map.h"
#include "Shapes.h"
#include "SpriteManager.h"

namespace {

// The game keeps its scroll position in this range; so does the editor, so
// columns on the screen are never negative.
const int kLeastCentre = 350;
const int kMapWidth = MAP_COLUMNS * TILE_SIZE;
const int kGreatestTopOffset = MAP_ROWS * TILE_SIZE - kScreenHeight;
const int kColumnsLeftOfCentre = 14;
const int kColumnsRightOfCentre = 13;

const Colour kGridColour = {0.0f, 0.0f, 0.0f, 0.35f};
const Colour kSeamColour = {1.0f, 0.85f, 0.2f, 0.8f};
const Colour kMissingTileColour = {0.9f, 0.2f, 0.9f, 0.5f};
const Colour kHighlightColour = {1.0f, 1.0f, 1.0f, 0.9f};
const int kMarkSize = 12;

int wrapped(int column)
{
    return column % MAP_COLUMNS;
}

} // namespace

void MapView::scrollColumns(int step)
{
    centreX += step * TILE_SIZE;
    while (centreX > kLeastCentre + kMapWidth)
        centreX -= kMapWidth;
    while (centreX < kLeastCentre)
        centreX += kMapWidth;
}

void MapView::scrollRows(int step)
{
    topOffset = std::clamp(topOffset + step * TILE_SIZE, 0, kGreatestTopOffset);
}

int MapView::leftEdge() const
{
    return centreX - kScreenWidth / 2;
}

bool MapView::cellAt(int screenX, int screenY, int& column, int& row) const
{
    if (screenX < 0 || screenY < 0 || screenX >= kScreenWidth || screenY >= kScreenHeight)
        return false;
    column = wrapped((leftEdge() + screenX) / TILE_SIZE);
    row = (topOffset + screenY) / TILE_SIZE;
    return row < MAP_ROWS;
}

void MapView::forEachVisibleCell(const CellVisitor& visit) const
{
    const int centralColumn = centreX / TILE_SIZE;
    const int firstColumn = std::max(0, centralColumn - kColumnsLeftOfCentre);
    for (int row = 0; row < MAP_ROWS; ++row)
        for (int column = firstColumn; column <= centralColumn + kColumnsRightOfCentre; ++column) {
            const int x = column * TILE_SIZE - leftEdge();
            const int y = row * TILE_SIZE - topOffset;
            if (x > -TILE_SIZE && x < kScreenWidth && y > -TILE_SIZE && y < kScreenHeight)
                visit(wrapped(column), row, x, y);
        }
}

void MapView::drawTiles(Map& map, SpriteManager& tiles) const
{
    forEachVisibleCell([&](int column, int row, int x, int y) {
        const int tile = map.getTileAt(column, row);
        if (tile > 0 && tile < tiles.size())
            tiles.drawSprite(tile, x, y, TILE_SIZE, TILE_SIZE);
        else if (tile > 0) // no picture for it: show where it is without a message every frame
            fillRect(x, y, TILE_SIZE, TILE_SIZE, kMissingTileColour);
    });
}

void MapView::drawGrid() const
{
    forEachVisibleCell([](int column, int, int x, int y) {
        fillRect(x, y, TILE_SIZE, 1, kGridColour);
        // Column 0 is where the map meets its own repeat: it must join seamlessly.
        fillRect(x, y, column == 0 ? 2 : 1, TILE_SIZE, column == 0 ? kSeamColour : kGridColour);
    });
}

void MapView::drawOverlay(Map& map) const
{
    forEachVisibleCell([&](int column, int row, int x, int y) {
        if (map.isSolidTile(column, row))
            fillRect(x, y, TILE_SIZE, TILE_SIZE, kSolidTint);
        if (map.isBulletSolidTile(column, row))
            frameRect(x + 4, y + 4, TILE_SIZE - 8, TILE_SIZE - 8, 3, kBulletFrame);
        if (map.isAnimatedTile(map.getTileAt(column, row)))
            fillRect(x + TILE_SIZE - kMarkSize - 2, y + 2, kMarkSize, kMarkSize, kAnimatedMark);
    });
}

void MapView::highlightCellAt(int screenX, int screenY) const
{
    int column, row;
    if (!cellAt(screenX, screenY, column, row))
        return;
    const int x = ((leftEdge() + screenX) / TILE_SIZE) * TILE_SIZE - leftEdge();
    const int y = row * TILE_SIZE - topOffset;
    frameRect(x, y, TILE_SIZE, TILE_SIZE, 2, kHighlightColour);
}
