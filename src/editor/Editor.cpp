#include "Editor.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "InfoPanels.h"
#include "Map.h"
#include "Platform.h"

const char* const kEditorCaption = "Grubnosh map editor";

namespace {

// A fast drag moves the pointer further than a cell between two events; the
// cells in between are painted too, in steps no longer than this.
const int kPaintStep = TILE_SIZE / 3;

} // namespace

Editor::Editor(EditModel& model, MapFile& file, TileSet& tiles, VeskBitmapFont* font, ViewKind viewKind,
               const Status& opening)
    : model(model), file(file), tiles(tiles), font(font), view(viewKind)
{
    show(opening);
}

void Editor::show(const Status& shown)
{
    status = shown;
    logStatus(status);
}

void Editor::handle(const Input& input)
{
    switch (input.command) {
    case Command::None:
        return;
    case Command::PointerLeave:
        pointerInside = false;
        return;
    case Command::PointerMove:
        if (model.strokeOpen())
            paintAlong(input.x, input.y);
        break;
    default:
        // Carrying on withdraws the warning; a later quit asks afresh.
        if (quitArmed)
            status = statusBeforeWarning;
        quitArmed = false;
        carryOut(input);
    }
    if (input.command == Command::PointerMove || input.command == Command::PaintBegin || input.command == Command::Pick) {
        pointerInside = true;
        pointerX = input.x;
        pointerY = input.y;
    }
}

void Editor::carryOut(const Input& input)
{
    int column, row;
    switch (input.command) {
    case Command::Save:
        save();
        break;
    case Command::Undo:
        undo();
        break;
    case Command::StepTile:
        model.stepTile(input.step);
        break;
    case Command::ToggleGrid:
        gridShown = !gridShown;
        break;
    case Command::ToggleOverlay:
        overlayShown = !overlayShown;
        break;
    case Command::ScrollColumns:
        view.scrollColumns(input.step);
        break;
    case Command::ScrollRows:
        view.scrollRows(input.step);
        break;
    case Command::PaintBegin:
        model.beginStroke();
        paintAt(input.x, input.y);
        break;
    case Command::PaintEnd:
        model.endStroke();
        break;
    case Command::Pick:
        if (view.cellAt(input.x, input.y, column, row))
            model.pickTile(column, row);
        break;
    default:
        break;
    }
}

bool Editor::mayQuit()
{
    if (quitArmed || !model.hasUnsavedChanges())
        return true;
    quitArmed = true;
    statusBeforeWarning = status;
    show(statusf(StatusKind::Error, "unsaved changes: Escape again to quit"));
    return false;
}

void Editor::save()
{
    model.endStroke();
    show(file.save(model.map()));
    if (status.kind == StatusKind::Saved)
        model.markSaved();
}

void Editor::undo()
{
    if (!model.undo())
        show(statusf(StatusKind::Info, "nothing to undo"));
}

void Editor::paintAt(int x, int y)
{
    int column, row;
    if (view.cellAt(x, y, column, row))
        model.paint(column, row);
}

void Editor::paintAlong(int x, int y)
{
    const int steps = std::max(std::abs(x - pointerX), std::abs(y - pointerY)) / kPaintStep + 1;
    for (int step = 1; step <= steps; ++step)
        paintAt(pointerX + (x - pointerX) * step / steps, pointerY + (y - pointerY) * step / steps);
}

void Editor::markCaption()
{
    const bool unsaved = model.hasUnsavedChanges();
    if (unsaved != captionMarked)
        TQ_setWindowTitle(unsaved ? ("*" + std::string(kEditorCaption)).c_str() : kEditorCaption);
    captionMarked = unsaved;
}

void Editor::draw()
{
    markCaption();
    Map& map = model.map();
    view.drawTiles(map, tiles);
    if (overlayShown)
        view.drawOverlay(map);
    if (gridShown)
        view.drawGrid();
    int column = 0, row = 0;
    const bool overCell = pointerInside && view.cellAt(pointerX, pointerY, column, row);
    if (overCell)
        view.highlightCellAt(pointerX, pointerY);
    if (font == nullptr)
        return;
    drawTilePanel(*font, tiles, map, model.currentTile(), overlayShown);
    drawStatusBar(*font, status, overCell, column, row, map.getTileAt(column, row));
}
