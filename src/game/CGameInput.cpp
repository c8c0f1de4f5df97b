#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "CGame.h"
#include "Platform.h"
#include "TorvaneActor.h"

namespace {

const float kLiftSpeed = 650.0f;
const float kFallSpeed = 450.0f;

} // namespace

int CGame::getInput()
{
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE)
            return -1;
        if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_F2)
            takeScreenshot("sshot.bmp");
        if (event.type == SDL_QUIT)
            return -1;
    }

    const Uint8* keys = SDL_GetKeyState(NULL);
    if (keys[SDLK_SPACE]) {
        if (player->getY() > 0)
            player->move(0, -kLiftSpeed * delta);
        player->setRotation(5.0);
    } else {
        player->setRotation(-5.0);
    }
    player->move(0, kFallSpeed * delta);
    if (player->getY() > kScreenHeight - player->getHeight())
        player->setY(kScreenHeight - player->getHeight());
    player->updateAnimation(delta);
    return 0;
}

// Sized from the video surface, so a window of any size fits the buffer.
void CGame::takeScreenshot(const char* fileName)
{
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (screen == NULL) { // no window, nothing to size the shot from
        printf("Couldn't create rgbsurface\n");
        return;
    }
    const int width = screen->w;
    const int height = screen->h;
    SDL_Surface* shot = SDL_CreateRGBSurface(0, width, height, 24, 0x000000FF, 0x0000FF00, 0x00FF0000, 0);
    if (shot == NULL) {
        printf("Couldn't create rgbsurface\n");
        return;
    }
    // glReadPixels pads each row to OpenGL's default pack alignment of 4.
    const int rowBytes = width * 3;
    const int stride = (rowBytes + 3) & ~3;
    unsigned char* pixels = static_cast<unsigned char*>(malloc(static_cast<size_t>(stride) * height));
    if (pixels == NULL) {
        SDL_FreeSurface(shot);
        printf("Couldn't malloc\n");
        return;
    }
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    // OpenGL delivers the bottom row first; the file wants the top row first.
    unsigned char* target = static_cast<unsigned char*>(shot->pixels);
    for (int row = 0; row < height; ++row)
        memcpy(target + row * shot->pitch, pixels + (height - 1 - row) * stride, rowBytes);
    free(pixels);
    SDL_SaveBMP_RW(shot, SDL_RWFromFile(fileName, "wb"), 1);
    SDL_FreeSurface(shot);
}
