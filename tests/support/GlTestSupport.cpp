#include "GlTestSupport.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include <X11/Xlib.h>

#include "CGame.h"
#include "OutputCapture.h"
#include "Platform.h"
#include "SDL_syswm.h"
#include "TestFolder.h"

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

// Read back as the four bytes R, G, B, A.
static_assert(sizeof(ScreenColour) == 4);

ScreenColour pixelAt(int x, int y)
{
    ScreenColour pixel;
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

bool isLit(ScreenColour pixel)
{
    return pixel.r > 64 || pixel.g > 64 || pixel.b > 64;
}

ScreenImage readScreenImage()
{
    ScreenImage frame(640, 480);
    std::vector<uint8_t> bottomUp(frame.rgb.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, frame.width, frame.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    const size_t rowBytes = static_cast<size_t>(frame.width) * 3;
    for (int row = 0; row < frame.height; ++row)
        memcpy(&frame.rgb[row * rowBytes], &bottomUp[(frame.height - 1 - row) * rowBytes], rowBytes);
    return frame;
}

void writeSolidImage(const std::string& path, int size, uint8_t r, uint8_t g, uint8_t b)
{
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, size, size, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
    SDL_FillRect(image, NULL, SDL_MapRGB(image->format, r, g, b));
    SDL_SaveBMP(image, path.c_str());
    SDL_FreeSurface(image);
}

void writeStandInSprites(const std::string& directory)
{
    for (int i = 0; i < 6; ++i) {
        const ScreenColour colour = kStandInSpriteColours[i];
        writeSolidImage(directory + "/" + std::to_string(i) + ".png", 64, colour.r, colour.g, colour.b);
    }
}

CGame* startGameWithStandInSprites(const TestFolder& folder, std::vector<std::string>* startupOut)
{
    folder.linkGameDataWithout("sprites");
    std::filesystem::create_directories(folder.file("data/sprites"));
    writeStandInSprites(folder.file("data/sprites"));
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    WorkingDirectory inFolder(folder.path());
    OutputCapture capture;
    CGame* game = new CGame();
    if (startupOut != nullptr)
        *startupOut = capture.outLines();
    return game;
}
