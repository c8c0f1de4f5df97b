#ifndef EDITOR_SHAPES_H
#define EDITOR_SHAPES_H

// Plain coloured rectangles for the grid, the overlay and the panels; the
// engine draws only textures and text.
struct Colour
{
    float red, green, blue, alpha;
};

void fillRect(int x, int y, int width, int height, Colour colour);
// The outline of a box, thickness pixels wide, inside its edges.
void frameRect(int x, int y, int width, int height, int thickness, Colour colour);

#endif
