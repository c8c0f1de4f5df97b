#include "Map.h"

#include <cstdio>
#include <fstream>
#include <limits>

#include "InfoLines.h"
#include "RegularFile.h"

namespace {

const int kMapWidth = MAP_COLUMNS * TILE_SIZE;
const int kMapHeight = MAP_ROWS * TILE_SIZE;
const float kAnimationStep = 0.15f;
const int kAnimationFrames = 3;
// One cell per character, plus room to notice a 21st character and the NUL.
const int kLineBufferSize = 22;
const unsigned kFirstTileCode = 65; // "A" is tile 0

bool isInsidePixels(float x, float y)
{
    // Written so that NaN counts as outside.
    return x >= 0.0f && y >= 0.0f && x < kMapWidth && y < kMapHeight;
}

bool letsBulletsThrough(int tile)
{
    return tile == 22 || (tile >= 30 && tile <= 33);
}

// Reads one line and returns how many characters the buffer holds, without the
// line break. The rest of an overlong line is skipped, so that the stream stays
// usable and the next line reads normally.
int readLine(std::istream& in, char* line)
{
    in.getline(line, kLineBufferSize);
    int length = static_cast<int>(in.gcount());
    if (in.good()) {
        --length; // the line feed was taken but not stored
        if (length > 0 && line[length - 1] == '\r')
            --length;
    } else if (in.fail() && !in.eof()) {
        in.clear();
        in.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return length;
}

bool isComment(const char* line, int length)
{
    return length >= 2 && line[0] == '#' && line[1] == '#';
}

} // namespace

void Map::Init()
{
    for (int row = 0; row < MAP_ROWS; ++row)
        for (int column = 0; column < MAP_COLUMNS; ++column)
            tileGrid[row][column] = 0;
}

bool Map::isInsideGrid(int x, int y)
{
    return x >= 0 && y >= 0 && x < MAP_COLUMNS && y < MAP_ROWS;
}

int Map::getTileAt(int x, int y)
{
    if (x >= MAP_COLUMNS)
        x %= MAP_COLUMNS; // the map repeats to the right
    return isInsideGrid(x, y) ? tileGrid[y][x] : 0;
}

void Map::setTileAt(int x, int y, int tile)
{
    if (isInsideGrid(x, y))
        tileGrid[y][x] = tile;
}

bool Map::isSolidType(int tile)
{
    return tile == 1 || (tile >= 12 && tile <= 22) || (tile >= 28 && tile <= 34) || tile == 38;
}

bool Map::isSolidTile(int x, int y)
{
    return !isInsideGrid(x, y) || isSolidType(tileGrid[y][x]);
}

int Map::tileAtPixel(float x, float y)
{
    return getTileAt(static_cast<int>(x) / TILE_SIZE, static_cast<int>(y) / TILE_SIZE);
}

bool Map::isSolid(float x, float y)
{
    return !isInsidePixels(x, y) || isSolidType(tileAtPixel(x, y));
}

bool Map::isBulletSolid(float x, float y)
{
    if (!isInsidePixels(x, y))
        return true;
    return isSolid(x, y) && !letsBulletsThrough(tileAtPixel(x, y));
}

bool Map::isBulletSolidTile(int x, int y)
{
    // Widened so that far-off cells stay far off instead of overflowing.
    const long long size = TILE_SIZE;
    return isBulletSolid(static_cast<float>(size * x), static_cast<float>(size * y));
}

bool Map::isAnimatedTile(int tile)
{
    return tile == 22 || tile == 35;
}

void Map::updateTileAnimation(float seconds)
{
    tileAnimTime += seconds;
    if (tileAnimTime >= kAnimationStep) {
        // Leftover time is dropped: at most one step per call.
        tileAnimTime = 0.0f;
        tileFrame = (tileFrame + 1) % kAnimationFrames;
    }
}

int Map::getTileFrame()
{
    return tileFrame;
}

int Map::loadMap(const char* fileName)
{
    // A folder, a FIFO or a device counts as missing; the grid stays as it is.
    RegularFileStream file(fileName);
    if (!file.isOpen()) {
        fprintf(stderr, "map file %s is missing\n", fileName);
        return -1;
    }
    char line[kLineBufferSize];
    int row = 0;
    while (row < MAP_ROWS) {
        const int length = readLine(file, line);
        if (!isComment(line, length))
            readRow(line, length, row++);
    }
    printInfo("map loaded....\n");
    tileFrame = 0;
    tileAnimTime = 0.0f;
    return 0;
}

void Map::readRow(const char* line, int length, int row)
{
    for (int column = 0; column < MAP_COLUMNS; ++column) {
        int tile = 0; // cells past the end of a short line stay empty
        if (column <= length) {
            // The column right after the line's last character reads its terminator.
            const signed char code = column < length ? static_cast<signed char>(line[column]) : 0;
            tile = code - static_cast<int>(kFirstTileCode);
            if (tile < 0) {
                fprintf(stderr, "negative tile at %i,%i\n", column, row);
                tile = 0;
            }
        }
        tileGrid[row][column] = tile;
    }
}

int Map::saveMap(const char* fileName)
{
    std::ofstream file(fileName);
    for (int row = 0; row < MAP_ROWS; ++row) {
        for (int column = 0; column < MAP_COLUMNS; ++column) {
            const unsigned code = static_cast<unsigned>(tileGrid[row][column]) + kFirstTileCode;
            file.put(static_cast<char>(code & 0xFFu));
        }
        file.put('\n');
    }
    file.flush();
    if (!file) {
        fprintf(stderr, "map file %s could not be written\n", fileName);
        return -1;
    }
    printInfo("Written. closing\n");
    file.close();
    return 0;
}
