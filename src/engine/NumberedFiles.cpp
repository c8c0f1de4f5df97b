#include "NumberedFiles.h"

#include <cstdio>
#include <vector>

NumberedFileSearch loadNumberedFiles(const char* directory, const char* extension, size_t pathBufferSize,
                                     const std::function<bool(const char* path)>& load)
{
    std::vector<char> path(pathBufferSize);
    for (int n = 0;; ++n) {
        const int length = snprintf(path.data(), path.size(), "%s/%i.%s", directory, n, extension);
        const bool fits = length >= 0 && static_cast<size_t>(length) < path.size();
        if (!fits || !load(path.data()))
            return NumberedFileSearch{n, path.data(), fits};
    }
}
