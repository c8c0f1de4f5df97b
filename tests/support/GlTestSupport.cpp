#include "GlTestSupport.h"

#include <cstdlib>

#include <X11/Xlib.h>

#include "Platform.h"
#include "SDL_syswm.h"

namespace {

// Classic SDL 1.2 titles an outer window and draws into a child of it;
// sdl12-compat has the one SDL2 window and reports no outer one.
Window titledWindow()
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) != 1)
        return 0;
    return info.info.x11.wmwindow != 0 ? info.info.x11.wmwindow : info.info.x11.window;
}

} // namespace

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

ShownWindow shownWindow()
{
    ShownWindow shown = {"", 0, 0};
    const Window window = titledWindow();
    Display* display = window != 0 ? XOpenDisplay(NULL) : NULL;
    if (display == NULL)
        return shown;
    char* title = NULL;
    if (XFetchName(display, window, &title) && title != NULL) {
        shown.title = title;
        XFree(title);
    }
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, window, &attributes)) {
        shown.width = attributes.width;
        shown.height = attributes.height;
    }
    XCloseDisplay(display);
    return shown;
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
