#ifndef TORVANE_FRESHFILE_H
#define TORVANE_FRESHFILE_H

/// @file
/// A new version of a user's file, written beside the old one and put in its
/// place only once it is whole on disk: how the engine and the editor save.

#include <string>
#include <sys/stat.h>

/// A new file made beside another under a name nobody else has (O_EXCL, so a
/// link planted there is never followed), readable by its maker alone until it
/// is given its final owner and mode. It is removed again when the object goes,
/// unless it was put in place.
class FreshFile
{
public:
    /// Makes the file in the folder of beside, named after it ("beside.XXXXXX").
    explicit FreshFile(const std::string& beside);
    /// Closes the file, and removes it unless it was moved into place.
    ~FreshFile();
    /// Not copyable: the file is closed and removed once.
    FreshFile(const FreshFile&) = delete;
    /// Not assignable, for the same reason.
    FreshFile& operator=(const FreshFile&) = delete;

    /// False with errno set when it could not be made.
    bool isOpen() const { return file >= 0; }
    /// Where to write it; it stays open until the object goes.
    int descriptor() const { return file; }

    /// Writes the bytes, flushes them to disk and reads them back. False with
    /// errno set when any of it fails or the file does not hold them.
    bool write(const std::string& bytes);
    /// Flushes what was written to disk; false with errno set.
    bool flush();

    /// Gives it the original's owner, group and permission bits. False (mode
    /// left as it was) when the owner or the group cannot be given: only root
    /// gives files away.
    bool takeOwnershipOf(const struct stat& original);
    /// As far as the process may: the original's owner and group, its
    /// permission bits, less those of a group that could not be kept. False
    /// with errno set.
    bool shareOwnershipOf(const struct stat& original);
    /// The permissions a newly created file gets, the umask applied; its owner
    /// can always read and write it again. False with errno set.
    bool takeNewFileMode();

    /// Renames it to destination, replacing what is there, and flushes the
    /// folder so that the new name outlives a crash; false with errno set.
    /// Flush the file itself first (write does).
    bool moveTo(const std::string& destination);

private:
    std::string name;
    int file;
};

#endif
