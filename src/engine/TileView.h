#ifndef TORVANE_TILEVIEW_H
#define TORVANE_TILEVIEW_H

/// @file
/// Which part of a tile map (Map.h) a screen shows, and where.

#include <functional>

/// One cell of the map as a TileView shows it.
struct TileViewCell
{
    int column;  ///< map column, 0 to MAP_COLUMNS - 1 (the view wraps round the map sideways)
    int row;     ///< map row, 0 to MAP_ROWS - 1 (rows do not wrap)
    int screenX; ///< screen pixel of the cell's left edge; negative when it is cut by the screen's edge
    int screenY; ///< screen pixel of the cell's top edge; negative when it is cut by the screen's edge
};

/// A window onto a tile map of MAP_COLUMNS × MAP_ROWS cells of TILE_SIZE pixels.
/// Its scroll position is the map pixel (left, top) shown at the screen's
/// top-left corner, one screen pixel per map pixel. Sideways the map repeats
/// every MAP_COLUMNS cells, in both directions; above row 0 and below the last
/// row there is nothing. A new view shows column 0 at the left edge, row 0 at
/// the top. The view only computes: the caller draws (see TileSet).
class TileView
{
public:
    /// Calls back with each cell the view shows, row by row from the top,
    /// each row from the left.
    typedef std::function<void(const TileViewCell& cell)> CellVisitor;

    /// A view for a screen of screenWidth × screenHeight pixels.
    TileView(int screenWidth, int screenHeight);

    /// Puts map pixel (left, top) at the screen's top-left corner; any value
    /// is taken, a negative left shows the map's repeat.
    void scrollTo(int left, int top);
    /// Puts the map's horizontal pixel mapX, truncated, at the screen's
    /// horizontal centre, the way a side-scroller keeps its position; top stays.
    void centreOn(float mapX);
    /// Moves by whole pixels: sideways it wraps round the map (left stays
    /// within 0 to the map's width), downwards it stops where the map's top or
    /// bottom edge meets the screen's.
    void scrollBy(int dx, int dy);

    /// The map pixel at the screen's left edge.
    int getLeft() const { return left; }
    /// The map pixel at the screen's top edge.
    int getTop() const { return top; }

    /// The cell under a screen pixel, in `cell`. False, leaving `cell` alone,
    /// when the pixel is off the screen or above or below the map.
    bool cellAt(int screenX, int screenY, TileViewCell& cell) const;
    /// Every cell wholly or partly on the screen, in order (see CellVisitor).
    void forEachVisibleCell(const CellVisitor& visit) const;

private:
    TileViewCell cellOf(int wideColumn, int row) const;

    int screenWidth;
    int screenHeight;
    int left = 0;
    int top = 0;
};

#endif
