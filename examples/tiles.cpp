// Example: tiles
//
// Shows:  a tile map loaded from a file, drawn with its animated tiles; an apple
//         that rolls and falls under simple gravity and stops against whatever
//         the map reports as solid; sparks that fly until the map says a bullet
//         stops there (grates and force fields let them through, bricks do not);
//         and what the map answers about the cell under the mouse pointer.
// Keys:   Left/Right roll, Up jumps, Space fires a spark, the mouse points at
//         cells; Escape or closing the window quits.
// Uses:   Map (loadMap, getTileAt, isSolid, isBulletSolid, isAnimatedTile,
//         updateTileAnimation, getTileFrame), SpriteManager, VeskBitmapFont.
// Run:    build/examples/example_tiles, from the repository root.

#include <cmath>
#include <cstdio>
#include <vector>

#include "ExampleWindow.h"
#include "Map.h"
#include "Platform.h"
#include "SpriteManager.h"
#include "VeskBitmapFont.h"

namespace {

// Which picture of data/examples/tiles shows a tile number; an animated tile
// owns three pictures in a row, one per frame of the map's animation.
struct TileLook { int tile, picture; const char* name; };
const TileLook kLooks[] = {
    {0, 0, "empty"}, {1, 1, "brick"}, {30, 2, "grate"}, {22, 3, "force field"}, {35, 6, "lantern"}, {2, 9, "ivy"},
};
const int kSpark = 10, kPointer = 11, kApple = 3;
const float kGravity = 900.0f, kRoll = 160.0f, kJump = 430.0f, kSparkSpeed = 420.0f;
const float kRadius = 14.0f;
const char* const kYesNo[] = {"no", "yes"};

const TileLook& lookOf(int tile)
{
    for (const TileLook& look : kLooks)
        if (look.tile == tile)
            return look;
    return kLooks[0];
}

struct Ball
{
    float x, y, vx, vy, angle;
    bool standing;
    float facing;  // +1 right, -1 left: where sparks go
};

// Stops the ball at the edge of the cell it would have entered.
void moveBall(Ball& ball, Map& map, float step)
{
    const Uint8* keys = SDL_GetKeyState(NULL);
    ball.vx = kRoll * (keys[SDLK_RIGHT] - keys[SDLK_LEFT]);
    ball.facing = ball.vx > 0 ? 1.0f : ball.vx < 0 ? -1.0f : ball.facing;
    if (keys[SDLK_UP] && ball.standing)
        ball.vy = -kJump;
    ball.vy += kGravity * step;

    const float nextX = ball.x + ball.vx * step;
    const float side = nextX + (ball.vx > 0 ? kRadius : -kRadius);
    if (!map.isSolid(side, ball.y - kRadius + 3) && !map.isSolid(side, ball.y + kRadius - 3)) {
        ball.x = nextX;
        ball.angle -= ball.vx * step / kRadius * 57.3f;  // rolls: turns clockwise going right
    }
    const float nextY = ball.y + ball.vy * step;
    const float edge = nextY + (ball.vy > 0 ? kRadius : -kRadius);
    ball.standing = false;
    if (map.isSolid(ball.x - kRadius + 3, edge) || map.isSolid(ball.x + kRadius - 3, edge)) {
        const float cellTop = floorf(edge / TILE_SIZE) * TILE_SIZE;
        ball.standing = ball.vy > 0;
        ball.y = ball.standing ? cellTop - kRadius - 0.01f : cellTop + TILE_SIZE + kRadius;
        ball.vy = 0.0f;
    } else {
        ball.y = nextY;
    }
}

void drawMap(Map& map, SpriteManager& tiles)
{
    for (int row = 0; row * TILE_SIZE < kExampleHeight; ++row)
        for (int column = 0; column * TILE_SIZE < kExampleWidth; ++column) {
            const int tile = map.getTileAt(column, row);
            const int frame = map.isAnimatedTile(tile) ? map.getTileFrame() : 0;
            if (tile != 0)
                tiles.drawSprite(lookOf(tile).picture + frame, column * TILE_SIZE, row * TILE_SIZE, TILE_SIZE, TILE_SIZE);
        }
}

struct Spark { float x, y, direction; };

// Moves the sparks; a spark ends where the map stops bullets.
void moveSparks(std::vector<Spark>& sparks, Map& map, float step)
{
    for (size_t i = 0; i < sparks.size(); ++i) {
        sparks[i].x += sparks[i].direction * kSparkSpeed * step;
        if (map.isBulletSolid(sparks[i].x, sparks[i].y))
            sparks.erase(sparks.begin() + i--);
    }
}

void drawReadout(Map& map, VeskBitmapFont& font, SpriteManager& tiles, int x, int y)
{
    const int column = x / TILE_SIZE, row = y / TILE_SIZE;
    const int tile = map.getTileAt(column, row);
    tiles.drawSprite(kPointer, column * TILE_SIZE, row * TILE_SIZE, TILE_SIZE, TILE_SIZE);
    font.sprint(12, 4, "pointer at cell (%d, %d): tile %d, %s", column, row, tile, lookOf(tile).name);
    font.sprint(12, 24, "isSolid %s   isBulletSolid %s   isAnimatedTile %s (frame %d)", kYesNo[map.isSolid(x, y)],
                kYesNo[map.isBulletSolid(x, y)], kYesNo[map.isAnimatedTile(tile)], map.getTileFrame());
}

} // namespace

int main(int, char**)
{
    VeskBitmapFont* font = startExample("tiles");
    if (font == NULL)
        return 1;
    Map map = Map();  // value-initialised: empty cells, animation at frame 0
    if (map.loadMap("data/examples/map.dat") != 0)
        return 1;  // loadMap has said which file is missing
    SpriteManager tiles("data/examples/tiles");
    SpriteManager sprites("data/sprites");
    tiles.setScreenSize(kExampleWidth, kExampleHeight);
    sprites.setScreenSize(kExampleWidth, kExampleHeight);

    Ball ball = {110.0f, 70.0f, 0.0f, 0.0f, 0.0f, false, 1.0f};
    std::vector<Spark> sparks;
    bool running = true;
    while (running) {
        // The first frame's time covers the whole start-up; a ball moved by it
        // would jump through the floor.
        const float step = fminf(TQ_getNewDelta(), 0.05f);
        TQ_clearScreen();

        map.updateTileAnimation(step);
        moveBall(ball, map, step);
        moveSparks(sparks, map, step);
        drawMap(map, tiles);
        for (const Spark& spark : sparks)
            tiles.drawSprite(kSpark, static_cast<int>(spark.x) - 12, static_cast<int>(spark.y) - 12, 24, 24);
        sprites.drawSprite(kApple, static_cast<int>(ball.x - 16), static_cast<int>(ball.y - 16), 32, 32, ball.angle);
        int mouseX, mouseY;
        SDL_GetMouseState(&mouseX, &mouseY);
        drawReadout(map, *font, tiles, mouseX, mouseY);
        font->print("arrows: roll, jump   Space: spark   mouse: ask the map   Escape: quit", 12, 446, 0.85f);

        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (endsExample(event))
                running = false;
            else if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_SPACE && sparks.size() < 8)
                sparks.push_back(Spark{ball.x, ball.y, ball.facing});
        }
        finishFrame();
    }
    delete font;
    return 0;
}
