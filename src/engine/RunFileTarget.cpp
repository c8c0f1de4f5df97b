#include "RunFileTarget.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const int kLinkHopsMax = 16;

std::string throughLinks(const std::string& path)
{
    namespace fs = std::filesystem;
    fs::path target = path;
    std::error_code failed;
    for (int hop = 0; hop < kLinkHopsMax && fs::is_symlink(target, failed); ++hop) {
        const fs::path link = fs::read_symlink(target, failed);
        if (failed)
            break;
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return target.string();
}

// What a new file's mode would be, less nothing its owner needs to read it
// again (the browser's runtime reports a mask of 0777 that it never applies).
mode_t newFileMode()
{
    // The umask is read by setting it; the engine runs on one thread.
    const mode_t mask = umask(0);
    umask(mask);
    return (0666 & ~mask) | 0600;
}

bool writeAll(int descriptor, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = write(descriptor, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        done += static_cast<size_t>(count);
    }
    return true;
}

void flushFolderOf(const std::string& path)
{
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int descriptor = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    fsync(descriptor); // the file itself is flushed; a folder that cannot be flushed keeps the rename anyway
    close(descriptor);
}

} // namespace

RunFileTarget::RunFileTarget(const std::string& path) : destination(throughLinks(path)), fresh(destination + ".XXXXXX")
{
    descriptor = mkostemp(&fresh[0], O_CLOEXEC);
}

RunFileTarget::~RunFileTarget()
{
    if (descriptor < 0)
        return;
    close(descriptor);
    unlink(fresh.c_str());
}

bool RunFileTarget::commit(const std::string& bytes)
{
    if (descriptor < 0 || !writeAll(descriptor, bytes) || fsync(descriptor) != 0 ||
        fchmod(descriptor, newFileMode()) != 0 || rename(fresh.c_str(), destination.c_str()) != 0)
        return false;
    close(descriptor);
    descriptor = -1;
    flushFolderOf(destination);
    return true;
}

bool sameFile(const std::string& a, const std::string& b)
{
    struct stat first, second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}
