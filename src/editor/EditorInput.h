#ifndef EDITOR_EDITORINPUT_H
#define EDITOR_EDITORINPUT_H

#include "SDL.h"

enum class Command
{
    None,
    Quit,
    Save,
    Undo,
    NextTile,
    PreviousTile,
    ToggleGrid,
    ToggleOverlay,
    ScrollLeft,
    ScrollRight,
    ScrollUp,
    ScrollDown,
    PaintBegin,
    PaintEnd,
    Pick,
    PointerMove,
    PointerLeave,
};

// A command with the pointer position it happened at, where it has one.
struct Input
{
    Command command;
    int x;
    int y;
};

// The editor's bindings: which key or button does what.
Input translateEvent(const SDL_Event& event);

#endif
