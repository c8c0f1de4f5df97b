#ifndef TORVANE_SAVETARGET_H
#define TORVANE_SAVETARGET_H

/// @file
/// Where a save goes and whether the file there is still the one a program
/// read: the questions to ask before writing over a user's file.

#include <string>
#include <sys/stat.h>

/// The file a save replaces: the path the user gave, with every symbolic link
/// at its end followed, so that a save goes into the link's target and the link
/// stays a link.
struct SaveTarget
{
    std::string path;       ///< the file itself, past every link
    bool exists = false;    ///< whether anything is there yet
    struct stat info = {};  ///< what is there, when it exists
};

/// What tells one version of a file from another: which file it is, its size
/// and when it was last written. Nothing there is a version of its own.
struct FileVersion
{
    bool exists = false;             ///< false: no file, which equals only no file
    dev_t device = 0;                ///< the file system holding it
    ino_t inode = 0;                 ///< the file within it
    off_t size = 0;                  ///< bytes
    struct timespec modified = {};   ///< when it was last written, to the nanosecond

    /// The same file, unchanged; or both missing.
    bool operator==(const FileVersion& other) const;
};

/// The version of the file an open descriptor reads or writes; false with errno set.
bool versionOf(int descriptor, FileVersion& version);

/// Follows the links at the end of path. False with a one-line reason when
/// they loop, or when what they lead to is there but is no regular file.
bool findSaveTarget(const std::string& path, SaveTarget& target, std::string& reason);

/// The whole of a regular file and its version, read through one descriptor;
/// false with errno set. Never waits on a FIFO.
bool readRegularFile(const std::string& path, std::string& bytes, FileVersion& version);

/// Opens the target to write over its contents, so that every other name of it
/// (hard links) sees them. Returns the descriptor, which the caller closes, or
/// -1 with errno set; EAGAIN when the path no longer names the file the target found.
int openInPlace(const SaveTarget& target);

/// The whole of what a descriptor holds, from its first byte; false with errno set.
bool readAll(int descriptor, std::string& bytes);

/// Flushes the folder that holds path to disk, so that a file renamed into it
/// stays there after a crash; false with errno set. A file system that cannot
/// flush a folder counts as flushed.
bool flushFolderOf(const std::string& path);

#endif
