#include "MapFile.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "FreshFile.h"
#include "Map.h"
#include "RegularFile.h"

namespace {

// How soon a second save must follow a refused one to write over a change on disk.
const std::chrono::seconds kSecondAsk(5);

// Why a file could not be read, from the errno of a failed open or read.
std::string readFailure(int error)
{
    return error == EINVAL ? "not a regular file" : strerror(error);
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
    const int descriptor = openRegularFile(path.c_str());
    const int openFailure = errno;
    int damaged = 0;
    // The engine says what it found (and what it missed) on the terminal.
    const bool read = map.readMap(descriptor, path.c_str(), &damaged) == 0 && versionOf(descriptor, known);
    const int failure = descriptor < 0 ? openFailure : errno;
    if (descriptor >= 0)
        close(descriptor);
    if (!read && failure == ENOENT)
        return statusf(StatusKind::Info, "new map: %s does not exist yet, S creates it", name.c_str());
    if (!read) {
        unread = true;
        return statusf(StatusKind::Error, "cannot read %s: %s, it will not be overwritten", name.c_str(),
                       readFailure(failure).c_str());
    }
    knownText = map.mapText();
    if (damaged > 0)
        return statusf(StatusKind::Error, "%s is damaged: see the terminal", name.c_str());
    return statusf(StatusKind::Info, "opened %s", name.c_str());
}

bool MapFile::overwriteConfirmed(const FileVersion& changed)
{
    const auto now = std::chrono::steady_clock::now();
    const bool confirmed = refusedChange.exists && refusedChange == changed && now - refusedAt <= kSecondAsk;
    refusedChange = confirmed ? FileVersion() : changed;
    refusedAt = now;
    return confirmed;
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
    std::string onDisk;
    FileVersion version;
    if (target.exists && !readRegularFile(target.path, onDisk, version))
        return statusf(StatusKind::Error, "not saved: cannot read %s: %s", shown.c_str(),
                       readFailure(errno).c_str());
    // Someone else's file now: keep it, and only when asked twice.
    const bool overChange = version.exists && !(version == known);
    if (overChange && !overwriteConfirmed(version))
        return statusf(StatusKind::Error, "%s changed on disk: S again to keep it as %s~ and save", shown.c_str(),
                       fileNameOf(target.path).c_str());
    return put(map, target, onDisk, overChange);
}

// Puts the map in the target's place: a new file renamed there, or, for a file
// with other names or an owner a new file cannot take, its bytes written over
// the target's once the target is kept as "<map>~".
Status MapFile::put(Map& map, const SaveTarget& target, const std::string& onDisk, bool overChange)
{
    const std::string shown = shownName(target);
    FreshFile written(target.path);
    if (!written.isOpen())
        return statusf(StatusKind::Error, "cannot write %s: %s", shown.c_str(), strerror(errno));
    const bool inPlace = target.exists && (target.info.st_nlink > 1 || !written.takeOwnershipOf(target.info));
    const bool backingUp = target.exists && (inPlace || overChange || onDisk != knownText);
    std::string reason;
    if (backingUp && !keepBackup(target, onDisk, reason))
        return statusf(StatusKind::Error, "not saved: cannot keep %s~: %s", fileNameOf(target.path).c_str(),
                       reason.c_str());
    FileVersion version;
    const bool placed = inPlace ? writeInPlace(map, target, version) : writeBeside(map, target, written, version);
    if (!placed)
        return statusf(StatusKind::Error, "cannot write %s: %s", shown.c_str(), strerror(errno));
    known = version;
    knownText = map.mapText();
    const char* how = inPlace ? " in place" : "";
    if (!backingUp)
        return statusf(StatusKind::Saved, "saved %s%s", shown.c_str(), how);
    const char* kept = overChange ? "the changed file" : backupKept ? "the version before" : "the original";
    backupKept = true;
    return statusf(StatusKind::Saved, "saved %s%s, %s kept as %s~", shown.c_str(), how, kept,
                   fileNameOf(target.path).c_str());
}

// The new file, flushed to disk before it takes the target's name.
bool MapFile::writeBeside(Map& map, const SaveTarget& target, FreshFile& written, FileVersion& version)
{
    return map.writeMap(written.descriptor(), target.path.c_str()) == 0 && written.flush() &&
           (target.exists || written.takeNewFileMode()) && versionOf(written.descriptor(), version) &&
           written.moveTo(target.path);
}

bool MapFile::writeInPlace(Map& map, const SaveTarget& target, FileVersion& version)
{
    const int descriptor = openInPlace(target);
    if (descriptor < 0)
        return false;
    // Written over, then cut to length: the file is never empty on the way.
    const bool written = map.writeMap(descriptor, target.path.c_str()) == 0;
    const off_t end = written ? lseek(descriptor, 0, SEEK_CUR) : -1;
    const bool flushed = end >= 0 && ftruncate(descriptor, end) == 0 && fsync(descriptor) == 0 &&
                         versionOf(descriptor, version);
    const int failure = errno;
    const bool closed = close(descriptor) == 0;
    errno = flushed ? errno : failure;
    return flushed && closed;
}

// "<map>~" as a whole, flushed copy of the bytes on disk, with the map's owner and mode.
bool MapFile::keepBackup(const SaveTarget& target, const std::string& bytes, std::string& reason)
{
    const std::string backup = target.path + "~";
    struct stat there;
    if (lstat(backup.c_str(), &there) == 0 && !S_ISREG(there.st_mode)) {
        reason = "it is not a regular file: move it away and save again";
        return false;
    }
    FreshFile copy(backup);
    // A copy that could not be written whole goes with the FreshFile.
    if (!copy.isOpen() || !copy.shareOwnershipOf(target.info) || !copy.write(bytes) || !copy.moveTo(backup)) {
        reason = strerror(errno);
        return false;
    }
    return true;
}
