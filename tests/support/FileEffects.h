#ifndef FILE_EFFECTS_H
#define FILE_EFFECTS_H

#include <string>
#include <sys/types.h>
#include <vector>

// What the code under test does to files while a FileEffects lives, in order:
// each flush to disk (fsync), rename and write, with the file it touched. The
// unit tests link with those calls wrapped (tests/CMakeLists.txt).
class FileEffects
{
public:
    enum Kind { Flush, Rename, Write };
    struct Effect
    {
        Kind kind;
        ino_t file;
    };

    FileEffects();
    ~FileEffects();
    // The place in the order of the first or last such effect on the file (or
    // folder) at path now; npos when there was none.
    size_t first(Kind kind, const std::string& path) const { return find(kind, path, false); }
    size_t last(Kind kind, const std::string& path) const { return find(kind, path, true); }

private:
    size_t find(Kind kind, const std::string& path, bool last) const;

    std::vector<Effect> effects;
};

#endif
