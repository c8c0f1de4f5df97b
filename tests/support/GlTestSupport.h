#ifndef TEST_GL_SUPPORT_H
#define TEST_GL_SUPPORT_H

#include <cstdint>
#include <string>
#include <vector>

#include "ScreenImage.h"

// Opens the 640 x 480 OpenGL window once per process and sets the 2D state.
void openTestWindow();

// The test window as the X server shows it, whichever SDL 1.2 runs it.
struct ShownWindow
{
    std::string title;
    int width, height;
};
ShownWindow shownWindow();

// Reads the back buffer at a window position with the origin at the top left.
ScreenColour pixelAt(int x, int y);

// Clears the frame to the clear colour (opaque black is what reads back).
void clearFrame();

// Fills a box of the window with a plain colour (untextured), corners in pixels.
void fillBox(int left, int top, int right, int bottom, float r, float g, float b);

// True when the pixel is far from black in any channel.
bool isLit(ScreenColour pixel);

// The whole 640 x 480 back buffer.
ScreenImage readScreenImage();

class CGame;
class TestFolder;

// The colours of the stand-in sprites 0 to 5: the pig's three frames, apple, hostile, hit pig.
const ScreenColour kStandInSpriteColours[6] = {{250, 150, 170}, {230, 130, 150}, {210, 110, 130},
                                      {220, 30, 30},   {90, 60, 160},   {255, 230, 0}};

// Six 64 x 64 sprites of one colour each, named as the sprite manager expects.
void writeStandInSprites(const std::string& directory);

// A real game started in the folder, on the project's data but for the sprites,
// which are the stand-ins: their pictures do not matter to play, only that all six exist.
// What the start-up printed on standard output goes to startupOut when given.
CGame* startGameWithStandInSprites(const TestFolder& folder, std::vector<std::string>* startupOut = nullptr);

// Writes a square image of one opaque colour (a BMP, which the image loader
// recognises whatever the file is named).
void writeSolidImage(const std::string& path, int size, uint8_t r, uint8_t g, uint8_t b);

#endif
