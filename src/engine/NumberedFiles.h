#ifndef TORVANE_NUMBERED_FILES_H
#define TORVANE_NUMBERED_FILES_H

#include <cstddef>
#include <functional>
#include <string>

// How a search through "<directory>/<n>.<extension>" ended.
struct NumberedFileSearch
{
    int loaded;              // files 0 .. loaded-1 came through
    std::string endedAt;     // the path that ended the search, cut to the buffer when it did not fit
    bool pathFitted;         // false when the path was too long rather than unloadable
};

// Hands load "<directory>/0.<extension>", then 1, 2 and so on, until load
// returns false or a path does not fit in pathBufferSize bytes (the NUL
// included). A path that does not fit is never tried: cut short, it would name
// some other file.
NumberedFileSearch loadNumberedFiles(const char* directory, const char* extension, size_t pathBufferSize,
                                     const std::function<bool(const char* path)>& load);

#endif
