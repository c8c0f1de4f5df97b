#ifndef EDITOR_MAPFILE_H
#define EDITOR_MAPFILE_H

#include <string>

#include "StatusLine.h"

class Map;

// The file behind the map. Loading goes through the engine's reader; saving
// through its writer, into a temporary file beside the map that replaces it
// only once written, so a failed save leaves the old file as it was. Before the
// first save over a file that holds more than the writer writes (comment
// lines, carriage returns, damaged or extra text), the original bytes are kept
// as "<map>~".
class MapFile
{
public:
    explicit MapFile(const std::string& path);

    Status load(Map& map);
    Status save(Map& map);

private:
    std::string backupPath() const { return path + "~"; }
    bool keepOriginal(std::string& reason);

    std::string path;
    std::string name;
    std::string originalBytes;
    bool backupPending = false;
    // The file exists but could not be read: never write over what we never saw.
    bool unread = false;
};

#endif
