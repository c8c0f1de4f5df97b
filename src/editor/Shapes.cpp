#include "Shapes.h"

#include "SDL_opengl.h"

void fillRect(int x, int y, int width, int height, Colour colour)
{
    // Untextured, then back to the state the engine's drawing expects:
    // texturing on and the current colour opaque white.
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(colour.red, colour.green, colour.blue, colour.alpha);
    glBegin(GL_QUADS);
    glVertex2i(x, y);
    glVertex2i(x + width, y);
    glVertex2i(x + width, y + height);
    glVertex2i(x, y + height);
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
}

void frameRect(int x, int y, int width, int height, int thickness, Colour colour)
{
    fillRect(x, y, width, thickness, colour);
    fillRect(x, y + height - thickness, width, thickness, colour);
    fillRect(x, y + thickness, thickness, height - 2 * thickness, colour);
    fillRect(x + width - thickness, y + thickness, thickness, height - 2 * thickness, colour);
}
