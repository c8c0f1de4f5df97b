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

bool isMissing(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) != 0 && errno == ENOENT;
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

bool readRegularFile(const std::string& path, std::string& bytes)
{
    const int descriptor = openRegularFile(path.c_str());
    if (descriptor < 0)
        return false;
    const bool read = readAll(descriptor, bytes);
    const int failure = errno;
    close(descriptor);
    errno = failure;
    return read;
}

bool writeAll(int descriptor, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = write(descriptor, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno != EINTR)
            return false;
        if (count > 0)
            done += static_cast<size_t>(count);
    }
    return true;
}

bool writeInPlace(const SaveTarget& target, const std::string& bytes)
{
    const int descriptor = open(target.path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        return false;
    struct stat now;
    bool written = fstat(descriptor, &now) == 0;
    if (written && (now.st_dev != target.info.st_dev || now.st_ino != target.info.st_ino)) {
        errno = EAGAIN;
        written = false;
    }
    // Written over, then cut to length: the file is never empty on the way.
    written = written && writeAll(descriptor, bytes) && ftruncate(descriptor, static_cast<off_t>(bytes.size())) == 0 &&
              fsync(descriptor) == 0;
    const int failure = errno;
    const bool closed = close(descriptor) == 0;
    errno = written ? errno : failure;
    return written && closed;
}
