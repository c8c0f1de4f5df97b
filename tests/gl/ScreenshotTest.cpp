#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include "CGame.h"
#include "Platform.h"
#include "TestFolder.h"

namespace {

void fillRect(int left, int top, int right, int bottom, float r, float g, float b)
{
    glDisable(GL_TEXTURE_2D);
    glColor3f(r, g, b);
    glRecti(left, top, right, bottom);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
}

SDL_Color colourAt(SDL_Surface* image, int x, int y)
{
    const Uint8* pixel = static_cast<Uint8*>(image->pixels) + y * image->pitch + x * image->format->BytesPerPixel;
    Uint32 value = 0;
    memcpy(&value, pixel, image->format->BytesPerPixel);
    SDL_Color colour = {0, 0, 0, 0};
    SDL_GetRGB(value, image->format, &colour.r, &colour.g, &colour.b);
    return colour;
}

} // namespace

// F2 writes the frame being drawn; its file must read top row first, the way
// the player sees the window, whichever framebuffer the pixels come from.
TEST(Screenshot, FileHoldsTheFrameTopRowFirst)
{
    TestFolder folder;
    folder.linkGameData();
    WorkingDirectory inFolder(folder.path());
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    CGame game;

    TQ_clearScreen();
    fillRect(0, 0, 8, 8, 1, 0, 0);
    fillRect(632, 472, 640, 480, 0, 1, 0);
    game.takeScreenshot("sshot.bmp");

    SDL_Surface* shot = SDL_LoadBMP("sshot.bmp");
    ASSERT_NE(shot, nullptr) << SDL_GetError();
    EXPECT_EQ(shot->w, 640);
    EXPECT_EQ(shot->h, 480);
    const SDL_Color topLeft = colourAt(shot, 0, 0);
    const SDL_Color bottomRight = colourAt(shot, 639, 479);
    const SDL_Color bottomLeft = colourAt(shot, 0, 479);
    EXPECT_EQ(topLeft.r, 255);
    EXPECT_EQ(topLeft.g, 0);
    EXPECT_EQ(bottomRight.g, 255);
    EXPECT_EQ(bottomRight.r, 0);
    EXPECT_EQ(bottomLeft.r + bottomLeft.g + bottomLeft.b, 0);
    SDL_FreeSurface(shot);
}
