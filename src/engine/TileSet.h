#ifndef TORVANE_TILESET_H
#define TORVANE_TILESET_H

/// @file
/// The pictures that show a tile map's tile numbers, with an optional list
/// that says which picture shows which number.

#include <map>
#include <string>
#include <vector>

#include "SpriteManager.h"

class Map;
class RegularFileStream;

/// One line of a tile list, as readTileListLine found it.
struct TileListLine
{
    int tile = 0;                      ///< the tile number, 1 or more
    std::vector<std::string> pictures; ///< file names, one per frame; empty for a blank or comment line
};

/// The most pictures a tile list gives one tile: one per frame of the map's
/// tile animation (Map::getTileFrame runs 0, 1, 2).
const int TILESET_MOST_FRAMES = 3;

/// Reads one line of a tile list: a tile number, then one to
/// TILESET_MOST_FRAMES picture file names, separated by spaces or tabs; "#"
/// starts a comment. Returns true with the line in `entry` (no pictures for a
/// blank or comment line), or false with what is wrong in `problem`.
bool readTileListLine(const std::string& line, TileListLine& entry, std::string& problem);

/// The pictures of a folder, and which of them shows each tile number.
/// Without a list, picture N.png shows tile N, as the game draws its tiles.
/// With a tile list, a file "tiles.txt" in the folder, only the listed tiles
/// have pictures: line by line, a tile number and its pictures (file names in
/// the folder), one for a still tile or one per frame of an animated one.
/// The pictures are OpenGL textures: make a TileSet after TQ_openWindow (or
/// TQ_initSDL and TQ_initGL). It owns them; it cannot be copied.
class TileSet
{
public:
    /// Loads the folder's numbered pictures (0.png, 1.png, ... as
    /// SpriteManager does, with its messages), then its tile list when there
    /// is one. A bad line of the list is skipped after a line on standard
    /// error naming the file, the line and what is wrong with it.
    explicit TileSet(const char* folder);
    /// Not copyable: the pictures are owned once.
    TileSet(const TileSet&) = delete;
    /// Not assignable, for the same reason.
    TileSet& operator=(const TileSet&) = delete;

    /// Draws the picture of `tile` with its top-left corner at the screen
    /// pixel (x, y), size × size pixels; an animated tile (Map::isAnimatedTile)
    /// shows the picture of the map's current frame (Map::getTileFrame).
    /// Returns false, drawing nothing and saying nothing, when the tile has no
    /// picture; tile 0 and below are empty cells: nothing drawn, true.
    bool draw(Map& map, int tile, int x, int y, int size);
    /// The greatest tile number that has a picture; -1 when none has.
    int greatestTile() const;
    /// Every picture of the folder by its number, and after them those the
    /// list added: for pictures that show no tile (a pointer, a spark) and
    /// for setting the screen size that drawing culls to.
    SpriteManager& pictures() { return loaded; }

private:
    void readList(const std::string& folder, const std::string& listPath, RegularFileStream& list);
    int pictureIndex(const std::string& folder, const std::string& name);

    SpriteManager loaded;
    std::map<int, std::vector<int>> frames; // tile number: picture indices, one per frame
};

#endif
