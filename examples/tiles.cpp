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
//         updateTileAnimation, getTileFrame), TileView (the cells on the screen
//         and under the pointer), TileSet (the pictures of the tile numbers,
//         listed in data/examples/tiles/tiles.txt), SpriteManager,
//         VeskBitmapFont; the application layer (TQ_loadSprites, TQ_run,
//         TQ_isKeyHeld).
// Run:    build/example_tiles, from the examples folder (see README.md).

#include <cmath>
#include <cstdio>
#include <vector>

#include "ExampleWindow.h"
#include "Map.h"
#include "SpriteManager.h"
#include "TileSet.h"
#include "TileView.h"

namespace {

// What the readout calls the room's tiles; data/examples/tiles/tiles.txt says
// which pictures show them.
struct TileName { int tile; const char* name; };
const TileName kNames[] = {
    {0, "empty"}, {1, "brick"}, {30, "grate"}, {22, "force field"}, {35, "lantern"}, {2, "ivy"},
};
// Pictures of the tiles folder that show no tile.
const int kSpark = 10, kPointer = 11;
const int kApple = 3;
const float kGravity = 900.0f, kRoll = 160.0f, kJump = 430.0f, kSparkSpeed = 420.0f;
const float kRadius = 14.0f;
// A longer step could carry the ball through a floor one cell thick.
const float kLongestStep = 0.05f;
const char* const kYesNo[] = {"no", "yes"};

const char* nameOf(int tile)
{
    for (const TileName& entry : kNames)
        if (entry.tile == tile)
            return entry.name;
    return kNames[0].name;
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
    ball.vx = kRoll * (TQ_isKeyHeld(SDLK_RIGHT) - TQ_isKeyHeld(SDLK_LEFT));
    ball.facing = ball.vx > 0 ? 1.0f : ball.vx < 0 ? -1.0f : ball.facing;
    if (TQ_isKeyHeld(SDLK_UP) && ball.standing)
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

void drawMap(Map& map, TileSet& tiles, const TileView& view)
{
    view.forEachVisibleCell([&](const TileViewCell& cell) {
        tiles.draw(map, map.getTileAt(cell.column, cell.row), cell.screenX, cell.screenY, TILE_SIZE);
    });
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

// The view shows the map from its top-left corner, so map pixels are screen pixels.
void drawReadout(Map& map, VeskBitmapFont& font, TileSet& tiles, const TileView& view, int x, int y)
{
    TileViewCell cell = {0, 0, 0, 0};
    view.cellAt(x, y, cell);
    const int tile = map.getTileAt(cell.column, cell.row);
    tiles.pictures().drawSprite(kPointer, cell.screenX, cell.screenY, TILE_SIZE, TILE_SIZE);
    font.sprint(12, 4, "pointer at cell (%d, %d): tile %d, %s", cell.column, cell.row, tile, nameOf(tile));
    font.sprint(12, 24, "isSolid %s   isBulletSolid %s   isAnimatedTile %s (frame %d)", kYesNo[map.isSolid(x, y)],
                kYesNo[map.isBulletSolid(x, y)], kYesNo[map.isAnimatedTile(tile)], map.getTileFrame());
}

} // namespace

int main(int, char**)
{
    std::unique_ptr<VeskBitmapFont> font = startExample("tiles");
    std::unique_ptr<SpriteManager> sprites = TQ_loadSprites("data/sprites");
    if (!font || !sprites)
        return 1;
    Map map = Map();  // value-initialised: empty cells, animation at frame 0
    if (map.loadMap("data/examples/map.dat") != 0)
        return 1;  // loadMap has said which file is missing
    TileSet tiles("data/examples/tiles");
    tiles.pictures().setScreenSize(kExampleWidth, kExampleHeight);
    const TileView view(kExampleWidth, kExampleHeight);

    Ball ball = {110.0f, 70.0f, 0.0f, 0.0f, 0.0f, false, 1.0f};
    std::vector<Spark> sparks;
    TQ_run(
        [&](float seconds) {
            const float step = fminf(seconds, kLongestStep);
            map.updateTileAnimation(step);
            moveBall(ball, map, step);
            moveSparks(sparks, map, step);
            drawMap(map, tiles, view);
            for (const Spark& spark : sparks)
                tiles.pictures().drawSprite(kSpark, static_cast<int>(spark.x) - 12, static_cast<int>(spark.y) - 12, 24, 24);
            sprites->drawSprite(kApple, static_cast<int>(ball.x - 16), static_cast<int>(ball.y - 16), 32, 32, ball.angle);
            int mouseX, mouseY;
            SDL_GetMouseState(&mouseX, &mouseY);
            drawReadout(map, *font, tiles, view, mouseX, mouseY);
            font->print("arrows: roll, jump   Space: spark   mouse: ask the map   Escape: quit", 12, 446, 0.85f);
            return true;
        },
        [&](const SDL_Event& event) {
            if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_SPACE && sparks.size() < 8)
                sparks.push_back(Spark{ball.x, ball.y, ball.facing});
        });
    return 0;
}
