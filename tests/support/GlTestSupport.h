#ifndef TEST_GL_SUPPORT_H
#define TEST_GL_SUPPORT_H

#include <cstdint>
#include <string>

// Opens the 640 x 480 OpenGL window once per process and sets the 2D state.
void openTestWindow();

struct Pixel
{
    uint8_t r, g, b, a;
};

// The test window as the X server shows it, whichever SDL 1.2 runs it.
struct ShownWindow
{
    std::string title;
    int width, height;
};
ShownWindow shownWindow();

// Reads the back buffer at a window position with the origin at the top left.
Pixel pixelAt(int x, int y);

// Clears the frame to the clear colour (opaque black is what reads back).
void clearFrame();

// Fills a box of the window with a plain colour (untextured), corners in pixels.
void fillBox(int left, int top, int right, int bottom, float r, float g, float b);

// True when the pixel is far from black in any channel.
bool isLit(const Pixel& pixel);

#endif
