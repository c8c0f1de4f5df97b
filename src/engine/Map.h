#ifndef TORVANE_MAP_H
#define TORVANE_MAP_H

/// @file
/// Map: a fixed grid of tile numbers, its queries and its text file.

#include <cstdint>
#include <string>

/// Cells per row of a Map; columns run from 0 (left) to 19.
const int MAP_COLUMNS = 20;
/// Rows of a Map; rows run from 0 (top) to 10.
const int MAP_ROWS = 11;
/// The width and height of one cell, in pixels: the map covers 960 × 528 pixels.
const int TILE_SIZE = 48;
/// The width of the whole map in pixels, 960: sideways it repeats after this.
const int MAP_WIDTH = MAP_COLUMNS * TILE_SIZE;
/// The height of the whole map in pixels, 528.
const int MAP_HEIGHT = MAP_ROWS * TILE_SIZE;

/// A fixed 20 × 11 grid of tile numbers with solidity queries, one shared tile
/// animation clock, and a one-character-per-cell text file.
///
/// A cell holds 0 for empty, or the sprite index of its tile's picture. Tile
/// numbers 1, 12 to 22, 28 to 34 and 38 block movement; of these, 22 and 30 to 33
/// let bullets through; 22 and 35 are animated; every other number is like 0 in
/// the queries. Cells are (column, row); pixel queries use the map's own pixels,
/// origin at its top-left corner, y downwards. Create it value-initialised,
/// `new Map()` or `Map map{}`, so that every cell and the clock start at zero.
class Map
{
public:
    /// Empties every cell; the animation clock is left as it is.
    void Init();
    /// The tile number at column x, row y. Columns of 20 and more wrap round, since
    /// the map repeats to the right; anything else outside the grid gives 0.
    int getTileAt(int x, int y);
    /// Stores tile at column x, row y; outside the grid (no wrapping) nothing changes.
    void setTileAt(int x, int y, int tile);

    /// True for the tile numbers that block movement.
    bool isSolidType(int tile);
    /// True when the cell blocks movement; everything outside the grid does.
    bool isSolidTile(int x, int y);
    /// True when the pixel (x, y) of the map blocks movement; outside the map's
    /// 960 × 528 pixels everything does.
    bool isSolid(float x, float y);
    /// True when the pixel (x, y) stops bullets: it blocks movement and its tile is
    /// not one that lets bullets through. Outside the map everything does.
    bool isBulletSolid(float x, float y);
    /// isBulletSolid at the top-left pixel of the cell at column x, row y.
    bool isBulletSolidTile(int x, int y);

    /// True for the animated tile numbers, 22 and 35.
    bool isAnimatedTile(int tile);
    /// Advances the shared tile animation by the frame time in seconds: one frame
    /// every 0.15 s, at most one per call, time beyond it dropped.
    void updateTileAnimation(float seconds);
    /// The tile animation's current frame: 0, 1 or 2.
    int getTileFrame();

    /// Writes the grid to fileName: 11 lines of 20 characters, "A" for tile 0,
    /// "B" for 1 and so on, so tiles 0 to 62 come back unchanged. Prints "Written.
    /// closing" on standard output and returns 0, or returns -1 with "map file %s
    /// could not be written" on standard error.
    int saveMap(const char* fileName);
    /// Reads fileName into the grid: one character per cell, lines starting "##"
    /// skipped; a character below "A" gives 0 and a "negative tile at %i,%i" line on
    /// standard error. Prints "map loaded...." on standard output, restarts the tile
    /// animation and returns 0; or returns -1 with "map file %s is missing" on
    /// standard error, the grid unchanged. A read error (a failing disk) is no end
    /// of the file: "map file %s could not be read: <reason>" on standard error, -1,
    /// the grid unchanged.
    int loadMap(const char* fileName);

    /// The text saveMap writes for the grid: 11 lines of 20 characters, each
    /// followed by a line feed; the code of a cell is 65 plus its tile number,
    /// kept to its lowest 8 bits.
    std::string mapText();
    /// saveMap into an open descriptor, from its current offset (of a new,
    /// empty file, say): the same text and the same lines, fileName naming the
    /// file in them. Returns 0, or -1 with errno set. The descriptor stays open
    /// and the caller's; flushing it to disk is the caller's too.
    int writeMap(int descriptor, const char* fileName);
    /// loadMap from a descriptor of openRegularFile, read from its current offset:
    /// the same lines, fileName naming the file in them; -1, a failed opening, is
    /// a missing file. Returns 0, or -1 with errno set for a read error. When
    /// damagedCells is given, it receives how many cells held no tile number (each
    /// told by a "negative tile at" line). The descriptor stays open, the caller's.
    int readMap(int descriptor, const char* fileName, int* damagedCells = nullptr);

private:
    bool isInsideGrid(int x, int y);
    int tileAtPixel(float x, float y);

    int32_t tileGrid[MAP_ROWS][MAP_COLUMNS];
    float tileAnimTime;
    int32_t tileFrame;
};

#endif
