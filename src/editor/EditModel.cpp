#include "EditModel.h"

EditModel::EditModel(Map& map, int lastTile) : grid(map), lastTile(lastTile), tile(lastTile >= 1 ? 1 : 0)
{
    markSaved();
}

void EditModel::stepTile(int step)
{
    const int count = lastTile + 1;
    tile = ((tile + step) % count + count) % count;
}

void EditModel::pickTile(int column, int row)
{
    tile = grid.getTileAt(column, row);
}

void EditModel::paint(int column, int row)
{
    const int before = grid.getTileAt(column, row);
    if (before == tile)
        return;
    grid.setTileAt(column, row, tile);
    history.record(CellChange{column, row, before, tile});
}

bool EditModel::undo()
{
    const std::vector<CellChange> stroke = history.takeNewest();
    // Backwards, so a cell changed twice in one stroke ends as it began.
    for (auto change = stroke.rbegin(); change != stroke.rend(); ++change)
        grid.setTileAt(change->column, change->row, change->before);
    return !stroke.empty();
}

bool EditModel::hasUnsavedChanges()
{
    for (int cell = 0; cell < kCells; ++cell)
        if (grid.getTileAt(cell % MAP_COLUMNS, cell / MAP_COLUMNS) != savedCells[cell])
            return true;
    return false;
}

void EditModel::markSaved()
{
    for (int cell = 0; cell < kCells; ++cell)
        savedCells[cell] = grid.getTileAt(cell % MAP_COLUMNS, cell / MAP_COLUMNS);
}
