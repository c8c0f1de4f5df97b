#ifndef TORVANE_EXAMPLE_WINDOW_H
#define TORVANE_EXAMPLE_WINDOW_H

// What every example shares: the window, the font, the way it ends and the
// pace of its frames. Nothing here quits; each example's main decides that.

#include "SDL.h"

class VeskBitmapFont;

const int kExampleWidth = 640;
const int kExampleHeight = 480;

// Opens the 640 x 480 OpenGL window captioned "Torvane Quillet example: <name>"
// and sets up the 2D drawing state. False, after saying why, if it cannot.
bool openExampleWindow(const char* name);

// The game's font from data/. Null, after saying why, when the working folder
// has no data/ (the examples are started from the repository root).
VeskBitmapFont* loadExampleFont();

// True for Escape and for closing the window: the two ways out of an example.
bool endsExample(const SDL_Event& event);

// Shows the frame, then rests a few milliseconds so that an example leaves
// the processor to others; the frame time it measures includes the rest.
void finishFrame();

#endif
