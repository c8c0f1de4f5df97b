#include "MapFile.h"

#include <cerrno>
#include <cstring>
#include <sstream>
#include <unistd.h>

#include "FreshFile.h"
#include "Map.h"
#include "SaveTarget.h"

namespace {

const char kFirstTileCode = 'A';

// What the engine's writer makes of the grid.
std::string encodeGrid(Map& map)
{
    std::string text;
    for (int row = 0; row < MAP_ROWS; ++row) {
        for (int column = 0; column < MAP_COLUMNS; ++column)
            text += static_cast<char>(kFirstTileCode + map.getTileAt(column, row));
        text += '\n';
    }
    return text;
}

// The eleven data lines as the reader sees them: no comment lines, no
// carriage returns, at most twenty cells each.
std::string dataLinesOf(const std::string& bytes)
{
    std::istringstream lines(bytes);
    std::string line, text;
    int rows = 0;
    while (rows < MAP_ROWS && std::getline(lines, line)) {
        if (line.compare(0, 2, "##") == 0)
            continue;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        text += line.substr(0, MAP_COLUMNS) + '\n';
        ++rows;
    }
    return text;
}

// Why a file could not be read, from the errno of a failed read.
std::string readFailure()
{
    return errno == EINVAL ? "not a regular file" : strerror(errno);
}

// Why the engine's reader refused a file that is there.
std::string whyUnreadable(const std::string& path)
{
    std::string bytes;
    return readRegularFile(path, bytes) ? "unreadable as a map" : readFailure();
}

} // namespace

MapFile::MapFile(const std::string& path) : path(path), name(fileNameOf(path))
{
}

std::string MapFile::shownName(const SaveTarget& target) const
{
    return target.path == path ? name : name + " -> " + fileNameOf(target.path);
}

Status MapFile::load(Map& map)
{
    std::string bytes;
    if (map.loadMap(path.c_str()) != 0) {
        if (isMissing(path))
            return statusf(StatusKind::Info, "new map: %s does not exist yet, S creates it", name.c_str());
        unread = true;
        return statusf(StatusKind::Error, "cannot read %s: %s, it will not be overwritten", name.c_str(),
                       whyUnreadable(path).c_str());
    }
    if (!readRegularFile(path, bytes)) {
        unread = true;
        return statusf(StatusKind::Error, "cannot read %s again: %s", name.c_str(), readFailure().c_str());
    }
    const std::string written = encodeGrid(map);
    extraContent = bytes != written;
    if (dataLinesOf(bytes) != written)
        return statusf(StatusKind::Error, "%s is damaged: see the terminal", name.c_str());
    return statusf(StatusKind::Info, "opened %s", name.c_str());
}

bool MapFile::keepBackup(const SaveTarget& target, std::string& reason)
{
    const std::string backup = target.path + "~";
    struct stat there;
    if (lstat(backup.c_str(), &there) == 0 && !S_ISREG(there.st_mode)) {
        reason = "it is not a regular file: move it away and save again";
        return false;
    }
    std::string original;
    FreshFile copy(backup);
    // A copy that could not be written whole goes with the FreshFile.
    if (!readRegularFile(target.path, original) || !copy.isOpen() || !copy.shareOwnershipOf(target.info) ||
        !copy.write(original) || !copy.moveTo(backup)) {
        reason = strerror(errno);
        return false;
    }
    return true;
}

Status MapFile::save(Map& map)
{
    if (unread)
        return statusf(StatusKind::Error, "not saved: %s could not be read", name.c_str());
    SaveTarget target;
    std::string reason;
    if (!findSaveTarget(path, target, reason))
        return statusf(StatusKind::Error, "not saved: %s", reason.c_str());
    const std::string shown = shownName(target);
    // Renaming over a file needs only the folder's permission; honour the file's own.
    if (target.exists && access(target.path.c_str(), W_OK) != 0)
        return statusf(StatusKind::Error, "cannot write %s: %s", shown.c_str(), strerror(errno));
    FreshFile written(target.path);
    if (!written.isOpen() || map.saveMap(written.path().c_str()) != 0)
        return statusf(StatusKind::Error, "cannot write %s: %s", shown.c_str(), strerror(errno));
    return put(written, target);
}

// Puts the written map in the target's place: by renaming it there, or, for a
// file with other names or an owner a new file cannot take, by writing its
// bytes over the target's, once the target is kept as "<map>~".
Status MapFile::put(FreshFile& written, const SaveTarget& target)
{
    const std::string shown = shownName(target);
    const bool inPlace = target.exists && (target.info.st_nlink > 1 || !written.takeOwnershipOf(target.info));
    const bool backingUp = target.exists && !backupKept && (extraContent || inPlace);
    std::string reason;
    if (backingUp && !keepBackup(target, reason))
        return statusf(StatusKind::Error, "not saved: cannot keep %s~: %s", fileNameOf(target.path).c_str(),
                       reason.c_str());
    std::string bytes;
    const bool placed = inPlace ? written.contents(bytes) && writeInPlace(target, bytes)
                                : (target.exists || written.takeNewFileMode()) && written.moveTo(target.path);
    if (!placed)
        return statusf(StatusKind::Error, "cannot write %s: %s", shown.c_str(), strerror(errno));
    backupKept = backupKept || backingUp;
    const char* how = inPlace ? " in place" : "";
    if (backingUp)
        return statusf(StatusKind::Saved, "saved %s%s, the original kept as %s~", shown.c_str(), how,
                       fileNameOf(target.path).c_str());
    return statusf(StatusKind::Saved, "saved %s%s", shown.c_str(), how);
}
