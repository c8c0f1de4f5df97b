#include "RunFileTarget.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "FreshFile.h"
#include "SaveTarget.h"

RunFileTarget::RunFileTarget(const std::string& path)
{
    SaveTarget target;
    if (!findSaveTarget(path, target, reason))
        return;
    destination = target.path;
    fresh = std::make_unique<FreshFile>(destination);
    if (!fresh->isOpen())
        reason = strerror(errno);
}

RunFileTarget::~RunFileTarget() = default;

bool RunFileTarget::isOpen() const
{
    return fresh != nullptr && fresh->isOpen();
}

bool RunFileTarget::commit(const std::string& bytes)
{
    return isOpen() && fresh->write(bytes) && fresh->takeNewFileMode() && fresh->moveTo(destination);
}

bool sameFile(const std::string& a, const std::string& b)
{
    struct stat first, second;
    return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}
