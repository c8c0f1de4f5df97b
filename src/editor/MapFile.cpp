#include "MapFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include "Map.h"

namespace {

const char kFirstTileCode = 'A';
const mode_t kNewFileMode = 0644;

bool exists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// The whole file, or false with errno set.
bool readBytes(const std::string& path, std::string& bytes)
{
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open())
        return false;
    std::ostringstream contents;
    contents << file.rdbuf();
    bytes = contents.str();
    return true;
}

bool writeBytes(const std::string& path, const std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (file == NULL)
        return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return (fclose(file) == 0) && written;
}

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

// Writes the map into a fresh file beside the target, flushed to disk, and
// hands back its name; false with errno set when any step fails.
bool writeBeside(Map& map, const std::string& target, mode_t mode, std::string& temporary)
{
    std::string pattern = target + ".XXXXXX";
    const int descriptor = mkstemp(&pattern[0]);
    if (descriptor < 0)
        return false;
    temporary = pattern;
    const bool ready = fchmod(descriptor, mode) == 0 && close(descriptor) == 0;
    if (ready && map.saveMap(temporary.c_str()) == 0) {
        const int written = open(temporary.c_str(), O_RDONLY);
        if (written >= 0 && fsync(written) == 0 && close(written) == 0)
            return true;
    }
    const int failure = errno;
    unlink(temporary.c_str());
    errno = failure;
    return false;
}

} // namespace

MapFile::MapFile(const std::string& path) : path(path), name(fileNameOf(path))
{
}

Status MapFile::load(Map& map)
{
    if (map.loadMap(path.c_str()) != 0) {
        if (!exists(path))
            return statusf(StatusKind::Info, "new map: %s does not exist yet, S creates it", name.c_str());
        unread = true;
        return statusf(StatusKind::Error, "cannot read %s: it will not be overwritten", name.c_str());
    }
    if (!readBytes(path, originalBytes)) {
        unread = true;
        return statusf(StatusKind::Error, "cannot read %s again: %s", name.c_str(), strerror(errno));
    }
    const std::string written = encodeGrid(map);
    backupPending = originalBytes != written;
    if (dataLinesOf(originalBytes) != written)
        return statusf(StatusKind::Error, "%s is damaged: see the terminal", name.c_str());
    return statusf(StatusKind::Info, "opened %s", name.c_str());
}

bool MapFile::keepOriginal(std::string& reason)
{
    if (!backupPending)
        return true;
    if (!writeBytes(backupPath(), originalBytes)) {
        reason = strerror(errno);
        return false;
    }
    backupPending = false;
    return true;
}

Status MapFile::save(Map& map)
{
    if (unread)
        return statusf(StatusKind::Error, "not saved: %s could not be read", name.c_str());
    struct stat info;
    const bool replacing = stat(path.c_str(), &info) == 0;
    // Renaming over a file needs only the folder's permission; honour the file's own.
    if (replacing && access(path.c_str(), W_OK) != 0)
        return statusf(StatusKind::Error, "cannot write %s: %s", name.c_str(), strerror(errno));
    const bool backingUp = backupPending;
    std::string reason;
    if (!keepOriginal(reason))
        return statusf(StatusKind::Error, "not saved: cannot keep %s~: %s", name.c_str(), reason.c_str());
    std::string temporary;
    const mode_t mode = replacing ? (info.st_mode & 07777) : kNewFileMode;
    bool saved = writeBeside(map, path, mode, temporary);
    if (saved && rename(temporary.c_str(), path.c_str()) != 0) {
        const int failure = errno;
        unlink(temporary.c_str());
        errno = failure;
        saved = false;
    }
    if (!saved)
        return statusf(StatusKind::Error, "cannot write %s: %s", name.c_str(), strerror(errno));
    if (backingUp)
        return statusf(StatusKind::Saved, "saved %s, the original kept as %s~", name.c_str(), name.c_str());
    return statusf(StatusKind::Saved, "saved %s", name.c_str());
}
