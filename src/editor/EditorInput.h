#ifndef EDITOR_EDITORINPUT_H
#define EDITOR_EDITORINPUT_H

#include "SDL.h"

enum class Command
{
    None,
    Save,
    Undo,
    StepTile,
    ToggleGrid,
    ToggleOverlay,
    ScrollColumns,
    ScrollRows,
    PaintBegin,
    PaintEnd,
    Pick,
    PointerMove,
    PointerLeave,
};

// A command with the pointer position it happened at, where it has one, or
// its direction (+1 or -1) for stepping and scrolling.
struct Input
{
    Command command;
    int x = 0;
    int y = 0;
    int step = 0;
};

// The editor's bindings: which key or button does what. Escape and closing
// the window are the application layer's, which asks the editor first.
Input translateEvent(const SDL_Event& event);

#endif
