#ifndef EDITOR_SHAPES_H
#define EDITOR_SHAPES_H

#include "TorvaneApp.h"

// The outline of a box, thickness pixels wide, inside its edges; the engine
// fills plain boxes (TQ_fillRect), the editor frames them too.
void frameRect(int x, int y, int width, int height, int thickness, TorvaneColour colour);

#endif
