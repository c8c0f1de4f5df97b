#ifndef EDITOR_SAVETARGET_H
#define EDITOR_SAVETARGET_H

#include <string>
#include <sys/stat.h>

// The file a save replaces: the path the user gave, with every symbolic link
// at its end followed, so that a save goes into the link's target and the link
// stays a link.
struct SaveTarget
{
    std::string path;
    bool exists = false;
    struct stat info = {}; // when it exists
};

// Follows the links at the end of path. False with a one-line reason when
// they loop, or when what they lead to is there but is no regular file.
bool findSaveTarget(const std::string& path, SaveTarget& target, std::string& reason);

// Whether nothing is at path, or only a link to nothing.
bool isMissing(const std::string& path);

// The whole of what a descriptor holds, from its first byte; false with errno set.
bool readAll(int descriptor, std::string& bytes);

// The whole of a regular file, or false with errno set; never waits on a FIFO.
bool readRegularFile(const std::string& path, std::string& bytes);

// Overwrites the target's contents, so that every other name of it (hard
// links) sees them, and flushes them to disk. False with errno set; EAGAIN
// when the path no longer names the file the target found.
bool writeInPlace(const SaveTarget& target, const std::string& bytes);

// Writes every byte, however many calls it takes; false with errno set.
bool writeAll(int descriptor, const std::string& bytes);

#endif
