#ifndef EDITOR_MAPVIEW_H
#define EDITOR_MAPVIEW_H

#include "GameScreen.h"
#include "Shapes.h"
#include "TileView.h"

class Map;
class TileSet;

// The overlay's marks, shared with the key in the tile panel.
inline const TorvaneColour kSolidTint = {1.0f, 0.15f, 0.1f, 0.45f};
inline const TorvaneColour kBulletFrame = {1.0f, 0.85f, 0.1f, 0.9f};
inline const TorvaneColour kAnimatedMark = {0.2f, 0.9f, 1.0f, 0.95f};

// Where the map first stands: as the game shows it (map pixel 30 at the left
// edge, so column 1 starts 18 pixels in), or plainly from column 0 and row 0
// for the maps of other games.
enum class ViewKind { Game, Plain };

// The map on the screen in 48-pixel cells, wrapping horizontally, rows 0 to 9
// in view. Scrolling moves by whole cells: sideways round the map, and down
// by one row to reach row 10.
class MapView
{
public:
    explicit MapView(ViewKind kind);

    void scrollColumns(int step);
    void scrollRows(int step);

    // The cell under a screen pixel; false off the map.
    bool cellAt(int screenX, int screenY, int& column, int& row) const;

    void drawTiles(Map& map, TileSet& tiles) const;
    void drawGrid() const;
    // Solid cells tinted, bullet-stopping ones framed, animated ones marked.
    void drawOverlay(Map& map) const;
    void highlightCellAt(int screenX, int screenY) const;

private:
    TileView view;
};

#endif
