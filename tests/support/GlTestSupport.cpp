#include "GlTestSupport.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "CGame.h"
#include "OutputCapture.h"
#include "Platform.h"
#include "TestFolder.h"

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

bool isLit(const Pixel& pixel)
{
    return pixel.r > 64 || pixel.g > 64 || pixel.b > 64;
}

Frame readFrame()
{
    Frame frame(640, 480);
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
        const Rgb colour = kStandInSpriteColours[i];
        writeSolidImage(directory + "/" + std::to_string(i) + ".png", 64, colour.r, colour.g, colour.b);
    }
}

CGame* startGameWithStandInSprites(const TestFolder& folder)
{
    folder.linkGameDataWithout("sprites");
    std::filesystem::create_directories(folder.file("data/sprites"));
    writeStandInSprites(folder.file("data/sprites"));
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    WorkingDirectory inFolder(folder.path());
    OutputCapture quiet;
    return new CGame();
}
