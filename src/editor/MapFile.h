#ifndef EDITOR_MAPFILE_H
#define EDITOR_MAPFILE_H

#include <chrono>
#include <string>

#include "SaveTarget.h"
#include "StatusLine.h"

class Map;

class FreshFile;

// The file behind the map. Loading and saving go through the engine's reader
// and writer, each on a descriptor opened once. A save writes a new file beside
// the map, flushes it to disk, renames it into place and flushes the folder, so
// that neither a failure nor a crash leaves less than one whole map. A save
// through a symbolic link goes to the link's target; a map with other names
// (hard links), or whose owner a new file could not take, is written in place
// instead, each time after the file is kept, whole and flushed, as "<map>~".
// So is a file that holds more than the writer writes (comment lines, carriage
// returns, damaged or extra text), as the disk has it at the time of the save.
// A map changed on disk since it was loaded or saved is never written over at
// the first asking: a second save soon after keeps the changed file as
// "<map>~" first.
class MapFile
{
public:
    explicit MapFile(const std::string& path);

    Status load(Map& map);
    Status save(Map& map);

private:
    // True when the user asked twice, soon enough, to save over this change.
    bool overwriteConfirmed(const FileVersion& changed);
    Status put(Map& map, const SaveTarget& target, const std::string& onDisk, bool overChange);
    bool writeBeside(Map& map, const SaveTarget& target, FreshFile& written, FileVersion& version);
    bool writeInPlace(Map& map, const SaveTarget& target, FileVersion& version);
    bool keepBackup(const SaveTarget& target, const std::string& bytes, std::string& reason);
    // The map's name for the status line; through a link, where it led too.
    std::string shownName(const SaveTarget& target) const;

    std::string path;
    std::string name;
    // The file as this run last loaded or saved it, and the text the engine's
    // writer makes of the grid then: anything else on disk is not ours.
    FileVersion known;
    std::string knownText;
    // A backup kept by this run: "<map>~" no longer holds the original.
    bool backupKept = false;
    // The file exists but could not be read: never write over what we never saw.
    bool unread = false;
    // The change the last refused save was about, and when.
    FileVersion refusedChange;
    std::chrono::steady_clock::time_point refusedAt;
};

#endif
