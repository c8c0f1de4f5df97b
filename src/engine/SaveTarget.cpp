#include "SaveTarget.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "RegularFile.h"

namespace {

// As many links as the system itself follows before it gives up.
const int kMostLinks = 40;

// Where a link leads, relative links taken from the link's own folder.
bool linkDestination(const std::string& link, std::string& destination)
{
    char text[PATH_MAX];
    const ssize_t length = readlink(link.c_str(), text, sizeof text - 1);
    if (length < 0)
        return false;
    destination.assign(text, static_cast<size_t>(length));
    const size_t slash = link.find_last_of('/');
    if (destination[0] != '/' && slash != std::string::npos)
        destination = link.substr(0, slash + 1) + destination;
    return true;
}

} // namespace

bool findSaveTarget(const std::string& path, SaveTarget& target, std::string& reason)
{
    target.path = path;
    for (int links = 0; links <= kMostLinks; ++links) {
        if (lstat(target.path.c_str(), &target.info) != 0) {
            target.exists = false;
            if (errno == ENOENT)
                return true;
            reason = strerror(errno);
            return false;
        }
        target.exists = true;
        if (S_ISREG(target.info.st_mode))
            return true;
        if (!S_ISLNK(target.info.st_mode)) {
            reason = target.path + " is not a regular file";
            return false;
        }
        const std::string link = target.path;
        if (!linkDestination(link, target.path)) {
            reason = strerror(errno);
            return false;
        }
    }
    reason = strerror(ELOOP);
    return false;
}

bool FileVersion::operator==(const FileVersion& other) const
{
    if (!exists || !other.exists)
        return exists == other.exists;
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
}

bool versionOf(int descriptor, FileVersion& version)
{
    struct stat info;
    if (fstat(descriptor, &info) != 0)
        return false;
    version = FileVersion{true, info.st_dev, info.st_ino, info.st_size, info.st_mtim};
    return true;
}

bool readAll(int descriptor, std::string& bytes)
{
    bytes.clear();
    char chunk[4096];
    ssize_t count;
    while ((count = pread(descriptor, chunk, sizeof chunk, static_cast<off_t>(bytes.size()))) != 0) {
        if (count < 0 && errno != EINTR)
            return false;
        if (count > 0)
            bytes.append(chunk, static_cast<size_t>(count));
    }
    return true;
}

bool readRegularFile(const std::string& path, std::string& bytes, FileVersion& version)
{
    const int descriptor = openRegularFile(path.c_str());
    if (descriptor < 0)
        return false;
    const bool read = versionOf(descriptor, version) && readAll(descriptor, bytes);
    const int failure = errno;
    close(descriptor);
    errno = failure;
    return read;
}

int openInPlace(const SaveTarget& target)
{
    const int descriptor = open(target.path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return -1;
    struct stat now;
    int failure = fstat(descriptor, &now) == 0 ? 0 : errno;
    if (failure == 0 && (now.st_dev != target.info.st_dev || now.st_ino != target.info.st_ino))
        failure = EAGAIN;
    if (failure == 0)
        return descriptor;
    close(descriptor);
    errno = failure;
    return -1;
}

bool flushFolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    // Some file systems cannot flush a folder (EINVAL): there is nothing more to do there.
    const bool flushed = fsync(descriptor) == 0 || errno == EINVAL;
    const int failure = errno;
    close(descriptor);
    errno = failure;
    return flushed;
}
