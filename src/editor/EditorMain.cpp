// grubnosh-editor [MAP] [--tiles DIR]: paints the game's tile map with the
// mouse and saves it with the engine's own writer.
//
// Left click or drag paints the current tile, right click picks the tile under
// the pointer, the wheel or [ and ] choose the tile, the arrow keys scroll,
// G shows the grid, Tab the solidity overlay, Ctrl+Z undoes the last stroke,
// S or Ctrl+S saves, Escape quits (twice with unsaved changes).
//
// Uses the platform layer, SpriteManager, VeskBitmapFont and Map. Run it from
// the repository root: the font comes from data/.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "CommandLine.h"
#include "Editor.h"
#include "Map.h"
#include "Platform.h"
#include "SpriteManager.h"
#include "VeskBitmapFont.h"

namespace {

const int kStatusOk = 0;
const int kStatusFailure = 1;
const int kStatusBadArguments = 2;
// Tile numbers above this do not survive a save and a load.
const int kGreatestStorableTile = 62;
// An editor need not spin like a game: rest a little between frames.
const int kFrameRestMilliseconds = 10;

// Numbers past the loaded pictures can still be placed, but not past what a
// file can hold.
int lastTileFor(SpriteManager& tiles)
{
    return tiles.size() > 1 ? std::min(tiles.size() - 1, kGreatestStorableTile) : kGreatestStorableTile;
}

// Text is a convenience: without a font the map is still edited and saved.
std::unique_ptr<VeskBitmapFont> loadFont()
{
    auto font = std::make_unique<VeskBitmapFont>("data/bitfont.tga", "data/bitfont.fnt");
    if (font->isReady())
        return font;
    fprintf(stderr, "grubnosh-editor: no font, so messages come only here (run it from the game's folder)\n");
    return nullptr;
}

Status openingStatus(const Status& loaded, SpriteManager& tiles, const std::string& directory)
{
    if (tiles.size() == 0)
        return statusf(StatusKind::Error, "no tile pictures in %s", directory.c_str());
    return loaded;
}

void runFrames(Editor& editor, Map& map)
{
    bool running = true;
    while (running) {
        map.updateTileAnimation(TQ_getNewDelta());
        SDL_Event event;
        while (running && SDL_PollEvent(&event))
            running = editor.handle(translateEvent(event));
        TQ_clearScreen();
        editor.draw();
        TQ_flip();
        TQ_delay(kFrameRestMilliseconds);
    }
}

int runEditor(const EditorOptions& options)
{
    // The editor makes no sound: leave the sound card alone unless told otherwise.
    if (setenv("SDL_AUDIODRIVER", "dummy", 0) != 0)
        perror("grubnosh-editor: SDL_AUDIODRIVER");
    if (TQ_initSDL(kScreenWidth, kScreenHeight) != 0) {
        fprintf(stderr, "grubnosh-editor: cannot open the window: %s\n", SDL_GetError());
        return kStatusFailure;
    }
    TQ_initGL(kScreenWidth, kScreenHeight);
    TQ_setWindowTitle("Grubnosh map editor");
    if (SDL_EnableKeyRepeat(SDL_DEFAULT_REPEAT_DELAY, SDL_DEFAULT_REPEAT_INTERVAL) != 0)
        fprintf(stderr, "grubnosh-editor: no key repeat: %s\n", SDL_GetError());

    SpriteManager tiles(options.tilesDirectory.c_str());
    tiles.setScreenSize(kScreenWidth, kScreenHeight);
    std::unique_ptr<VeskBitmapFont> font = loadFont();
    Map map{};
    MapFile file(options.mapPath);
    const Status loaded = file.load(map);
    EditModel model(map, lastTileFor(tiles));
    Editor editor(model, file, tiles, font.get(), openingStatus(loaded, tiles, options.tilesDirectory));
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
