// grubnosh-editor [MAP] [--tiles DIR] [--view game|plain]: paints the game's
// tile map with the mouse and saves it with the engine's own writer.
//
// Left click or drag paints the current tile, right click picks the tile under
// the pointer, the wheel or [ and ] choose the tile, the arrow keys scroll,
// G shows the grid, Tab the solidity overlay, Ctrl+Z undoes the last stroke,
// S or Ctrl+S saves, Escape quits (twice with unsaved changes).
//
// Uses the application layer, TileSet, TileView, VeskBitmapFont and Map. Run
// it from the repository root: the font comes from data/.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "CommandLine.h"
#include "Editor.h"
#include "Map.h"
#include "TileSet.h"
#include "TorvaneApp.h"
#include "VeskBitmapFont.h"

namespace {

const int kStatusOk = 0;
const int kStatusFailure = 1;
const int kStatusBadArguments = 2;
// Tile numbers above this do not survive a save and a load.
const int kGreatestStorableTile = 62;

// Numbers past the pictures can still be placed, but not past what a file can hold.
int lastTileFor(const TileSet& tiles)
{
    return tiles.greatestTile() > 0 ? std::min(tiles.greatestTile(), kGreatestStorableTile) : kGreatestStorableTile;
}

// Text is a convenience: without a font the map is still edited and saved.
std::unique_ptr<VeskBitmapFont> loadFont()
{
    std::unique_ptr<VeskBitmapFont> font = TQ_loadFont();
    if (!font)
        fprintf(stderr, "grubnosh-editor: no font, so messages come only here (run it from the game's folder)\n");
    return font;
}

Status openingStatus(const Status& loaded, TileSet& tiles, const std::string& directory)
{
    if (tiles.pictures().size() == 0)
        return statusf(StatusKind::Error, "no tile pictures in %s", directory.c_str());
    return loaded;
}

void runFrames(Editor& editor, Map& map)
{
    TQ_run(
        [&](float seconds) {
            map.updateTileAnimation(seconds);
            editor.draw();
            return true;
        },
        [&](const SDL_Event& event) { editor.handle(translateEvent(event)); }, [&] { return editor.mayQuit(); });
}

int runEditor(const EditorOptions& options)
{
    // The editor makes no sound: leave the sound card alone unless told otherwise.
    if (setenv("SDL_AUDIODRIVER", "dummy", 0) != 0)
        perror("grubnosh-editor: SDL_AUDIODRIVER");
    if (TQ_openWindow(kScreenWidth, kScreenHeight, kEditorCaption) != 0)
        return kStatusFailure;
    if (SDL_EnableKeyRepeat(SDL_DEFAULT_REPEAT_DELAY, SDL_DEFAULT_REPEAT_INTERVAL) != 0)
        fprintf(stderr, "grubnosh-editor: no key repeat: %s\n", SDL_GetError());

    TileSet tiles(options.tilesDirectory.c_str());
    tiles.pictures().setScreenSize(kScreenWidth, kScreenHeight);
    std::unique_ptr<VeskBitmapFont> font = loadFont();
    Map map{};
    MapFile file(options.mapPath);
    const Status loaded = file.load(map);
    EditModel model(map, lastTileFor(tiles));
    Editor editor(model, file, tiles, font.get(), options.view, openingStatus(loaded, tiles, options.tilesDirectory));
    runFrames(editor, map);
    return kStatusOk;
}

} // namespace

int main(int argc, char** argv)
{
    EditorOptions options;
    std::string reason;
    if (!parseCommandLine(argc, argv, options, reason)) {
        fprintf(stderr, "grubnosh-editor: %s\n%s\n", reason.c_str(), kUsageLine);
        return kStatusBadArguments;
    }
    if (options.helpWanted) {
        printf("%s\n", kUsageLine);
        return kStatusOk;
    }
    return runEditor(options);
}
