#include "FileEffects.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::vector<FileEffects::Effect>* recording = nullptr;

// The file a name stands for; a link is the thing moved when it is renamed.
ino_t fileAt(const char* path, bool followLink)
{
    struct stat info;
    return (followLink ? stat(path, &info) : lstat(path, &info)) == 0 ? info.st_ino : 0;
}

void note(FileEffects::Kind kind, int descriptor)
{
    struct stat info;
    if (recording != nullptr && fstat(descriptor, &info) == 0)
        recording->push_back({kind, info.st_ino});
}

} // namespace

extern "C" {
int __real_fsync(int descriptor);
int __real_rename(const char* from, const char* to);
ssize_t __real_write(int descriptor, const void* bytes, size_t count);

int __wrap_fsync(int descriptor)
{
    const int result = __real_fsync(descriptor);
    if (result == 0)
        note(FileEffects::Flush, descriptor);
    return result;
}

int __wrap_rename(const char* from, const char* to)
{
    const ino_t moved = fileAt(from, false);
    const int result = __real_rename(from, to);
    if (result == 0 && recording != nullptr)
        recording->push_back({FileEffects::Rename, moved});
    return result;
}

ssize_t __wrap_write(int descriptor, const void* bytes, size_t count)
{
    note(FileEffects::Write, descriptor);
    return __real_write(descriptor, bytes, count);
}
}

FileEffects::FileEffects()
{
    recording = &effects;
}

FileEffects::~FileEffects()
{
    recording = nullptr;
}

size_t FileEffects::find(Kind kind, const std::string& path, bool last) const
{
    const ino_t file = fileAt(path.c_str(), true);
    size_t found = std::string::npos;
    for (size_t i = 0; i < effects.size() && (last || found == std::string::npos); ++i)
        if (effects[i].kind == kind && effects[i].file == file)
            found = i;
    return found;
}
