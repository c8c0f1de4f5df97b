#include "MapView.h"

#include "Map.h"
#include "Shapes.h"
#include "TileSet.h"

namespace {

const TorvaneColour kGridColour = {0.0f, 0.0f, 0.0f, 0.35f};
const TorvaneColour kSeamColour = {1.0f, 0.85f, 0.2f, 0.8f};
const TorvaneColour kMissingTileColour = {0.9f, 0.2f, 0.9f, 0.5f};
const TorvaneColour kHighlightColour = {1.0f, 1.0f, 1.0f, 0.9f};
const int kMarkSize = 12;

} // namespace

MapView::MapView(ViewKind kind) : view(kScreenWidth, kScreenHeight)
{
    if (kind == ViewKind::Game)
        view.centreOn(kStartCentre);
}

void MapView::scrollColumns(int step)
{
    view.scrollBy(step * TILE_SIZE, 0);
}

void MapView::scrollRows(int step)
{
    view.scrollBy(0, step * TILE_SIZE);
}

bool MapView::cellAt(int screenX, int screenY, int& column, int& row) const
{
    TileViewCell cell;
    if (!view.cellAt(screenX, screenY, cell))
        return false;
    column = cell.column;
    row = cell.row;
    return true;
}

void MapView::drawTiles(Map& map, TileSet& tiles) const
{
    view.forEachVisibleCell([&](const TileViewCell& cell) {
        // No picture for it: show where it is without a message every frame.
        if (!tiles.draw(map, map.getTileAt(cell.column, cell.row), cell.screenX, cell.screenY, TILE_SIZE))
            TQ_fillRect(cell.screenX, cell.screenY, TILE_SIZE, TILE_SIZE, kMissingTileColour);
    });
}

void MapView::drawGrid() const
{
    view.forEachVisibleCell([](const TileViewCell& cell) {
        TQ_fillRect(cell.screenX, cell.screenY, TILE_SIZE, 1, kGridColour);
        // Column 0 is where the map meets its own repeat: it must join seamlessly.
        const bool seam = cell.column == 0;
        TQ_fillRect(cell.screenX, cell.screenY, seam ? 2 : 1, TILE_SIZE, seam ? kSeamColour : kGridColour);
    });
}

void MapView::drawOverlay(Map& map) const
{
    view.forEachVisibleCell([&](const TileViewCell& cell) {
        const int x = cell.screenX, y = cell.screenY;
        if (map.isSolidTile(cell.column, cell.row))
            TQ_fillRect(x, y, TILE_SIZE, TILE_SIZE, kSolidTint);
        if (map.isBulletSolidTile(cell.column, cell.row))
            frameRect(x + 4, y + 4, TILE_SIZE - 8, TILE_SIZE - 8, 3, kBulletFrame);
        if (map.isAnimatedTile(map.getTileAt(cell.column, cell.row)))
            TQ_fillRect(x + TILE_SIZE - kMarkSize - 2, y + 2, kMarkSize, kMarkSize, kAnimatedMark);
    });
}

void MapView::highlightCellAt(int screenX, int screenY) const
{
    TileViewCell cell;
    if (view.cellAt(screenX, screenY, cell))
        frameRect(cell.screenX, cell.screenY, TILE_SIZE, TILE_SIZE, 2, kHighlightColour);
}
