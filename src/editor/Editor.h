#ifndef EDITOR_EDITOR_H
#define EDITOR_EDITOR_H

#include "EditModel.h"
#include "EditorInput.h"
#include "MapFile.h"
#include "MapView.h"
#include "StatusLine.h"

class TileSet;
class VeskBitmapFont;

// The window's caption; while the map has unsaved changes it begins with "*",
// in the title bar and, in a browser, in the page's title.
extern const char* const kEditorCaption;

// The editor's state between frames: what the commands do and what a frame shows.
class Editor
{
public:
    Editor(EditModel& model, MapFile& file, TileSet& tiles, VeskBitmapFont* font, ViewKind viewKind,
           const Status& opening);

    // Carries out one command.
    void handle(const Input& input);
    // Asked on Escape and on closing the window: true once the user has
    // chosen to quit; with unsaved changes the first request only warns.
    bool mayQuit();
    void draw();

private:
    void carryOut(const Input& input);
    // Puts a new message on the status line, and on standard error.
    void show(const Status& shown);
    void save();
    void undo();
    void paintAlong(int x, int y);
    void paintAt(int x, int y);
    void markCaption();

    EditModel& model;
    MapFile& file;
    TileSet& tiles;
    VeskBitmapFont* font; // none when it failed to load: the map still draws
    MapView view;
    Status status;
    Status statusBeforeWarning;
    bool gridShown = false;
    bool overlayShown = false;
    bool quitArmed = false;
    bool pointerInside = false;
    bool captionMarked = false;
    int pointerX = 0;
    int pointerY = 0;
};

#endif
