#include "FreshFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "RegularFile.h"
#include "SaveTarget.h"

namespace {

const mode_t kNewFileMode = 0666;
const mode_t kPermissionBits = 07777;

mode_t currentUmask()
{
    // The only way to read it is to set it; the editor runs one thread.
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

} // namespace

FreshFile::FreshFile(const std::string& beside) : name(beside + ".XXXXXX")
{
    file = mkostemp(&name[0], O_CLOEXEC | O_NOFOLLOW);
}

FreshFile::~FreshFile()
{
    if (file < 0)
        return;
    close(file);
    if (!name.empty())
        unlink(name.c_str());
}

bool FreshFile::write(const std::string& bytes)
{
    std::string written;
    if (!writeWhole(file, bytes) || !flush() || !readAll(file, written))
        return false;
    if (written != bytes) {
        errno = EIO;
        return false;
    }
    return true;
}

bool FreshFile::flush()
{
    return fsync(file) == 0;
}

bool FreshFile::takeOwnershipOf(const struct stat& original)
{
    if (fchown(file, original.st_uid, original.st_gid) != 0)
        return false;
    return fchmod(file, original.st_mode & kPermissionBits) == 0;
}

bool FreshFile::shareOwnershipOf(const struct stat& original)
{
    mode_t mode = original.st_mode & kPermissionBits;
    if (fchown(file, original.st_uid, original.st_gid) != 0 &&
        fchown(file, static_cast<uid_t>(-1), original.st_gid) != 0)
        mode &= ~static_cast<mode_t>(S_IRWXG); // the group it would go to is not the original's
    return fchmod(file, mode) == 0;
}

bool FreshFile::takeNewFileMode()
{
    // A mask that takes even the owner's reading away (the browser's runtime
    // reports 0777 and applies none) would leave a file nobody can open again.
    return fchmod(file, (kNewFileMode & ~currentUmask()) | S_IRUSR | S_IWUSR) == 0;
}

bool FreshFile::moveTo(const std::string& destination)
{
    if (rename(name.c_str(), destination.c_str()) != 0)
        return false;
    name.clear();
    return flushFolderOf(destination);
}
