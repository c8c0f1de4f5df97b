#ifndef EDITOR_FRESHFILE_H
#define EDITOR_FRESHFILE_H

#include <string>
#include <sys/stat.h>

// A new file made beside another under a name nobody else has (O_EXCL, so a
// link planted there is never followed), readable by its maker alone until it
// is given its final owner and mode. It is removed again when the object goes,
// unless it was put in place.
class FreshFile
{
public:
    // Made in the folder of beside, named after it.
    explicit FreshFile(const std::string& beside);
    ~FreshFile();
    FreshFile(const FreshFile&) = delete;
    FreshFile& operator=(const FreshFile&) = delete;

    // False with errno set when it could not be made.
    bool isOpen() const { return descriptor >= 0; }
    const std::string& path() const { return name; }

    // Writes the bytes, flushes them to disk and reads them back. False with
    // errno set when any of it fails or the file does not hold them.
    bool write(const std::string& bytes);
    // What the file holds, flushed to disk first; false with errno set.
    bool contents(std::string& bytes);

    // The original's owner, group and permission bits. False (mode left as it
    // was) when the owner or the group cannot be given: only root gives files away.
    bool takeOwnershipOf(const struct stat& original);
    // As far as the process may: the original's owner and group, its permission
    // bits, less those of a group that could not be kept. False with errno set.
    bool shareOwnershipOf(const struct stat& original);
    // The permissions a newly created file gets, the umask applied.
    bool takeNewFileMode();

    // Renames it to destination, replacing what is there; false with errno set.
    bool moveTo(const std::string& destination);

private:
    std::string name;
    int descriptor;
};

#endif
