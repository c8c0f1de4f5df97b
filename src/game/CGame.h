#ifndef GRUBNOSH_CGAME_H
#define GRUBNOSH_CGAME_H

#include <list>

#include "GameScreen.h"
#include "SDL.h"

class Map;
class SpriteManager;
class TorvaneActor;
class TorvaneTimer;
class VeskBitmapFont;

// Horizontal map coordinate shown at the screen's centre; kept for the whole run.
extern float x;

// The one game: owns the content, the pig and the flying objects, and runs the frames.
class CGame
{
public:
    CGame();
    ~CGame();

    void gameLoop();
    void displaySprites();
    int getInput();
    void takeScreenshot(const char* fileName);
    void spawnEnemy(int kind);
    void handleEnemies();
    void drawBackground(float dt);
    void displayHUD();
    void gameOver();
    // Pixels per second at which the landscape and the flying objects pass; grows with the score.
    float pace() const;

    SDL_Event event;
    std::list<TorvaneActor*> actors;
    TorvaneActor* player;
    SpriteManager* sprites;
    SpriteManager* tiles;
    VeskBitmapFont* font;
    TorvaneTimer* spawnTimer;
    Map* map;
    int score;
    int missed;
    int lives;
    float delta;
};

#endif
