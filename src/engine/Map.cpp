#include "Map.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

#include "InfoLines.h"
#include "RegularFile.h"

namespace {

const float kAnimationStep = 0.15f;
const int kAnimationFrames = 3;
// One cell per character, plus room to notice a 21st character and the NUL.
const int kLineBufferSize = 22;
const unsigned kFirstTileCode = 65; // "A" is tile 0

bool isInsidePixels(float x, float y)
{
    // Written so that NaN counts as outside.
    return x >= 0.0f && y >= 0.0f && x < MAP_WIDTH && y < MAP_HEIGHT;
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

// Fills one row of cells from a data line; returns how many cells held no tile.
int readRow(const char* line, int length, int row, int32_t* cells)
{
    int damaged = 0;
    for (int column = 0; column < MAP_COLUMNS; ++column) {
        int tile = 0; // cells past the end of a short line stay empty
        if (column <= length) {
            // The column right after the line's last character reads its terminator.
            const signed char code = column < length ? static_cast<signed char>(line[column]) : 0;
            tile = code - static_cast<int>(kFirstTileCode);
            if (tile < 0) {
                fprintf(stderr, "negative tile at %i,%i\n", column, row);
                tile = 0;
                ++damaged;
            }
        }
        cells[column] = tile;
    }
    return damaged;
}

void reportUnwritable(const char* fileName)
{
    fprintf(stderr, "map file %s could not be written\n", fileName);
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
    // A folder, a FIFO or a device counts as missing.
    const int descriptor = openRegularFile(fileName);
    const int result = readMap(descriptor, fileName);
    if (descriptor >= 0)
        close(descriptor);
    return result;
}

int Map::readMap(int descriptor, const char* fileName, int* damagedCells)
{
    if (descriptor < 0) {
        fprintf(stderr, "map file %s is missing\n", fileName);
        return -1;
    }
    RegularFileStream file(descriptor);
    // Read whole before it replaces the grid: a read error leaves the grid as it was.
    int32_t grid[MAP_ROWS][MAP_COLUMNS];
    char line[kLineBufferSize];
    int row = 0, damaged = 0;
    while (row < MAP_ROWS && file.readError() == 0) {
        const int length = readLine(file, line);
        if (file.readError() == 0 && !isComment(line, length)) {
            damaged += readRow(line, length, row, grid[row]);
            ++row;
        }
    }
    if (file.readError() != 0) {
        fprintf(stderr, "map file %s could not be read: %s\n", fileName, strerror(file.readError()));
        errno = file.readError();
        return -1;
    }
    memcpy(tileGrid, grid, sizeof grid);
    printInfo("map loaded....\n");
    tileFrame = 0;
    tileAnimTime = 0.0f;
    if (damagedCells != NULL)
        *damagedCells = damaged;
    return 0;
}

std::string Map::mapText()
{
    std::string text;
    for (int row = 0; row < MAP_ROWS; ++row) {
        for (int column = 0; column < MAP_COLUMNS; ++column) {
            const unsigned code = static_cast<unsigned>(tileGrid[row][column]) + kFirstTileCode;
            text += static_cast<char>(code & 0xFFu);
        }
        text += '\n';
    }
    return text;
}

int Map::saveMap(const char* fileName)
{
    const int descriptor = open(fileName, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        reportUnwritable(fileName);
        return -1;
    }
    const int written = writeMap(descriptor, fileName);
    // The last of the text may fail to reach the file only as it closes.
    if (close(descriptor) != 0 && written == 0) {
        reportUnwritable(fileName);
        return -1;
    }
    return written;
}

int Map::writeMap(int descriptor, const char* fileName)
{
    if (!writeWhole(descriptor, mapText())) {
        reportUnwritable(fileName);
        return -1;
    }
    printInfo("Written. closing\n");
    return 0;
}
