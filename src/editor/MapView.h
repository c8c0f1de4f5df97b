#ifndef EDITOR_MAPVIEW_H
#define EDITOR_MAPVIEW_H

#include <functional>

#include "Shapes.h"

class Map;
class SpriteManager;

const int kScreenWidth = 640;
const int kScreenHeight = 480;

// The overlay's marks, shared with the key in the tile panel.
inline const Colour kSolidTint = {1.0f, 0.15f, 0.1f, 0.45f};
inline const Colour kBulletFrame = {1.0f, 0.85f, 0.1f, 0.9f};
inline const Colour kAnimatedMark = {0.2f, 0.9f, 1.0f, 0.95f};

// The map on the screen as the game shows it: 48-pixel cells, wrapping
// horizontally, rows 0 to 9 in view. Scrolling moves by whole cells: sideways
// round the map, and down by one row to reach row 10.
class MapView
{
public:
    void scrollColumns(int step);
    void scrollRows(int step);

    // The cell under a screen pixel; false off the map.
    bool cellAt(int screenX, int screenY, int& column, int& row) const;

    void drawTiles(Map& map, SpriteManager& tiles) const;
    void drawGrid() const;
    // Solid cells tinted, bullet-stopping ones framed, animated ones marked.
    void drawOverlay(Map& map) const;
    void highlightCellAt(int screenX, int screenY) const;

private:
    using CellVisitor = std::function<void(int column, int row, int screenX, int screenY)>;
    // Every cell on the screen, its column brought into 0..19.
    void forEachVisibleCell(const CellVisitor& visit) const;
    int leftEdge() const;

    // The game's scroll position: the map pixel at the screen's centre.
    int centreX = 350;
    int topOffset = 0;
};

#endif
