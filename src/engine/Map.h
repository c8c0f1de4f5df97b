#ifndef TORVANE_MAP_H
#define TORVANE_MAP_H

#include <cstdint>

const int MAP_COLUMNS = 20;
const int MAP_ROWS = 11;
const int TILE_SIZE = 48;

// A fixed 20 x 11 grid of tile numbers with solidity queries, one shared tile
// animation clock, and a one-character-per-cell text file. Create it
// value-initialised (new Map()) so that every cell and the clock start at zero.
class Map
{
public:
    void Init();
    int getTileAt(int x, int y);
    void setTileAt(int x, int y, int tile);

    bool isSolidType(int tile);
    bool isSolidTile(int x, int y);
    bool isSolid(float x, float y);
    bool isBulletSolid(float x, float y);
    bool isBulletSolidTile(int x, int y);

    bool isAnimatedTile(int tile);
    void updateTileAnimation(float seconds);
    int getTileFrame();

    int saveMap(const char* fileName);
    int loadMap(const char* fileName);

private:
    bool isInsideGrid(int x, int y);
    int tileAtPixel(float x, float y);
    void readRow(const char* line, int length, int row);

    int32_t tileGrid[MAP_ROWS][MAP_COLUMNS];
    float tileAnimTime;
    int32_t tileFrame;
};

#endif
