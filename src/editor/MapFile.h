#ifndef EDITOR_MAPFILE_H
#define EDITOR_MAPFILE_H

#include <string>

#include "StatusLine.h"

class Map;

struct SaveTarget;
class FreshFile;

// The file behind the map. Loading goes through the engine's reader; saving
// through its writer, into a temporary file beside the map that replaces it
// only once written, so a failed save leaves the old file as it was. A save
// through a symbolic link goes to the link's target; a map with other names
// (hard links), or whose owner a new file could not take, is written in place
// instead. Before the first save over a file that holds more than the writer
// writes (comment lines, carriage returns, damaged or extra text), and before
// the first save in place, the file is kept as "<map>~".
class MapFile
{
public:
    explicit MapFile(const std::string& path);

    Status load(Map& map);
    Status save(Map& map);

private:
    Status put(FreshFile& written, const SaveTarget& target);
    // The map's name for the status line; through a link, where it led too.
    std::string shownName(const SaveTarget& target) const;
    bool keepBackup(const SaveTarget& target, std::string& reason);

    std::string path;
    std::string name;
    // The file holds bytes the writer would not write again.
    bool extraContent = false;
    // "<map>~" holds the file as it was before this run's first save over it.
    bool backupKept = false;
    // The file exists but could not be read: never write over what we never saw.
    bool unread = false;
};

#endif
