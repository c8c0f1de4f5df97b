#ifndef TORVANE_EXAMPLE_WINDOW_H
#define TORVANE_EXAMPLE_WINDOW_H

// What every example shares: the window, the font, the way it ends and the
// pace of its frames. Nothing here quits; each example's main decides that.

#include "SDL.h"

class VeskBitmapFont;

const int kExampleWidth = 640;
const int kExampleHeight = 480;

// Opens the 640 x 480 OpenGL window captioned "Torvane Quillet example: <name>",
// sets up the 2D drawing state and loads the game's font from data/ (so an
// example is started from the repository root). Returns the font, or null,
// after saying why, when the window or the font is missing.
VeskBitmapFont* startExample(const char* name);

// True for Escape and for closing the window: the two ways out of an example.
bool endsExample(const SDL_Event& event);

// Shows the frame, then rests a few milliseconds so that an example leaves
// the processor to others; the frame time it measures includes the rest.
void finishFrame();

#endif
