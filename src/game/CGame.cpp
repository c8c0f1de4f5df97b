#include "CGame.h"

#include <cstdio>
#include <cstdlib>

#include "Map.h"
#include "Platform.h"
#include "RunRecording.h"
#include "SpriteManager.h"
#include "TorvaneActor.h"
#include "TorvaneTimer.h"
#include "VeskBitmapFont.h"

CGame::CGame() : actors()
{
    // Everything after this draws through OpenGL; without a window there is no
    // context, and loading the first texture would crash.
    if (TQ_initSDL(kScreenWidth, kScreenHeight) != 0) {
        fprintf(stderr, "FAIL) Couldn't open the game window: %s\n", SDL_GetError());
        exit(1);
    }
    TQ_initGL(kScreenWidth, kScreenHeight);
    TQ_initMixer(22050, 4);
    TQ_setWindowTitle("Grubnosh");

    delta = 0.0f;
    score = 0;
    missed = 0;
    lives = 9;

    sprites = new SpriteManager("data/sprites");
    tiles = new SpriteManager("data/tiles");
    map = new Map();
    map->loadMap("data/map.dat");
    sprites->setScreenSize(kScreenWidth, kScreenHeight);
    tiles->setScreenSize(kScreenWidth, kScreenHeight);
    font = new VeskBitmapFont("data/bitfont.tga", "data/bitfont.fnt");

    player = new TorvaneActor(sprites);
    player->setXYWH(15, 416, 64, 64);
    player->setAnimation(0, 3, 0.3f);
    actors.push_back(player);

    spawnTimer = new TorvaneTimer(1.35f, true);
}

// Only the list's nodes go; everything else lives until the process ends.
CGame::~CGame()
{
}

void CGame::gameLoop()
{
    bool done = false;
    while (!done) {
        delta = TQ_getNewDelta();
        TQ_clearScreen();
        drawBackground(delta);
        if (lives == 0) {
            done = true;
            gameOver();
        }
        displaySprites();
        displayHUD();
        if (spawnTimer->update(delta)) {
            spawnTimer->reset();
            spawnEnemy(rand() % 4 == 1 ? 1 : 0);
        }
        handleEnemies();
        if (getInput() < 0)
            done = true;
        // What a replay of this run must reach again; nothing unless a run is recorded or replayed.
        TQ_checkRun({score, missed, lives, static_cast<int>(player->getY())});
        TQ_flip();
        TQ_delay(0);
    }
}

void CGame::displaySprites()
{
    for (TorvaneActor* actor : actors)
        actor->draw(kScreenWidth / 2, kScreenHeight / 2);
}
