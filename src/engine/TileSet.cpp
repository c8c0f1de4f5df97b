#include "TileSet.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "InfoLines.h"
#include "Map.h"
#include "RegularFile.h"

namespace {

const char* const kListName = "tiles.txt";
const char kComment = '#';

// The whole token as a decimal number; false for anything else or out of range.
bool readNumber(const std::string& token, int& number)
{
    char* end = NULL;
    errno = 0;
    const long value = strtol(token.c_str(), &end, 10);
    if (token.empty() || *end != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return false;
    number = static_cast<int>(value);
    return true;
}

// "N.png" exactly as the numbered loading names picture N; -1 for other names.
int numberedPicture(const std::string& name)
{
    int number = -1;
    const size_t dot = name.find('.');
    if (dot == std::string::npos || !readNumber(name.substr(0, dot), number) || number < 0)
        return -1;
    return name == std::to_string(number) + ".png" ? number : -1;
}

} // namespace

bool readTileListLine(const std::string& line, TileListLine& entry, std::string& problem)
{
    std::istringstream words(line.substr(0, line.find(kComment)));
    std::string first;
    entry = TileListLine();
    if (!(words >> first))
        return true;
    if (!readNumber(first, entry.tile)) {
        problem = "a line starts with a tile number, not \"" + first + "\"";
        return false;
    }
    if (entry.tile < 1) {
        problem = "tile numbers start at 1 (0 is the empty cell)";
        return false;
    }
    for (std::string picture; words >> picture;)
        entry.pictures.push_back(picture);
    if (entry.pictures.empty()) {
        problem = "tile " + first + " has no picture";
        return false;
    }
    if (entry.pictures.size() > TILESET_MOST_FRAMES) {
        problem = "tile " + first + " has more than " + std::to_string(TILESET_MOST_FRAMES) +
                  " pictures, one per frame of the map's animation";
        return false;
    }
    return true;
}

TileSet::TileSet(const char* folder) : loaded(folder)
{
    const std::string listPath = std::string(folder) + "/" + kListName;
    // Only a plain file: a pipe by that name would hold the program up.
    RegularFileStream list(listPath.c_str());
    if (list.isOpen()) {
        readList(folder, listPath, list);
        return;
    }
    if (errno != ENOENT)
        fprintf(stderr, "FAIL) Tile list %s cannot be read: %s\n", listPath.c_str(), strerror(errno));
    for (int tile = 1; tile < loaded.size(); ++tile)
        frames[tile] = {tile};
}

void TileSet::readList(const std::string& folder, const std::string& listPath, RegularFileStream& list)
{
    std::string text, problem;
    TileListLine entry;
    for (int number = 1; std::getline(list, text); ++number) {
        if (!readTileListLine(text, entry, problem)) {
            fprintf(stderr, "FAIL) Tile list %s, line %i: %s\n", listPath.c_str(), number, problem.c_str());
            continue;
        }
        if (entry.pictures.empty())
            continue;
        if (frames.count(entry.tile) != 0) {
            fprintf(stderr, "FAIL) Tile list %s, line %i: tile %i is listed already\n", listPath.c_str(), number,
                    entry.tile);
            continue;
        }
        std::vector<int>& indices = frames[entry.tile];
        for (const std::string& picture : entry.pictures) {
            const int index = pictureIndex(folder, picture);
            if (index >= 0)
                indices.push_back(index);
        }
        if (indices.empty())
            frames.erase(entry.tile); // the sprite manager has said which file is missing
    }
    if (list.readError() != 0)
        fprintf(stderr, "FAIL) Tile list %s cannot be read: %s\n", listPath.c_str(), strerror(list.readError()));
    printInfo("INFO) Tile list %s: %zu tiles\n", listPath.c_str(), frames.size());
}

// A numbered picture is loaded already; any other is added.
int TileSet::pictureIndex(const std::string& folder, const std::string& name)
{
    const int number = numberedPicture(name);
    if (number >= 0 && number < loaded.size())
        return number;
    return loaded.addSprite((folder + "/" + name).c_str());
}

bool TileSet::draw(Map& map, int tile, int x, int y, int size)
{
    if (tile <= 0)
        return true;
    const int frame = map.isAnimatedTile(tile) ? map.getTileFrame() : 0;
    const auto found = frames.find(tile);
    if (found == frames.end())
        return false;
    const std::vector<int>& pictures = found->second;
    loaded.drawSprite(pictures[frame % pictures.size()], x, y, size, size);
    return true;
}

int TileSet::greatestTile() const
{
    return frames.empty() ? -1 : frames.rbegin()->first;
}
