#ifndef EDITOR_EDITMODEL_H
#define EDITOR_EDITMODEL_H

#include <array>

#include "EditHistory.h"
#include "Map.h"

// The map being edited: the current tile, painting in strokes, undo, and
// whether anything differs from what was last loaded or saved.
class EditModel
{
public:
    // Tiles run from 0 (empty, the eraser) to lastTile.
    EditModel(Map& map, int lastTile);

    Map& map() { return grid; }
    int currentTile() const { return tile; }
    // Steps through the tiles, wrapping at both ends.
    void stepTile(int step);
    void pickTile(int column, int row);

    void beginStroke() { history.beginStroke(); }
    bool strokeOpen() const { return history.strokeOpen(); }
    void paint(int column, int row);
    void endStroke() { history.endStroke(); }
    // Takes back the newest stroke; false when there is none.
    bool undo();

    bool hasUnsavedChanges();
    void markSaved();

private:
    static const int kCells = MAP_ROWS * MAP_COLUMNS;

    Map& grid;
    int lastTile;
    int tile;
    EditHistory history;
    std::array<int, kCells> savedCells;
};

#endif
