#include "GlTestSupport.h"

#include <cstdlib>

#include "Platform.h"

void openTestWindow()
{
    static bool opened = false;
    if (opened)
        return;
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (TQ_initSDL(640, 480) != 0)
        abort();
    TQ_initGL(640, 480);
    opened = true;
}

Pixel pixelAt(int x, int y)
{
    Pixel pixel;
    glReadPixels(x, 480 - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, &pixel);
    return pixel;
}

void clearFrame()
{
    TQ_clearScreen();
}

void fillBox(int left, int top, int right, int bottom, float r, float g, float b)
{
    glDisable(GL_TEXTURE_2D);
    glColor3f(r, g, b);
    glBegin(GL_QUADS);
    glVertex2f(left, top);
    glVertex2f(right, top);
    glVertex2f(right, bottom);
    glVertex2f(left, bottom);
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
}

bool isLit(const Pixel& pixel)
{
    return pixel.r > 64 || pixel.g > 64 || pixel.b > 64;
}
