#ifndef FUZZ_INPUT_H
#define FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

// The readers take a path, so each input is put in a file. One file in memory,
// rewritten for every input and named through /proc, costs far less than
// creating and removing a file on disk each time.
class FuzzInput
{
public:
    FuzzInput(const uint8_t* data, size_t size)
    {
        static const int fd = memfd_create("grubnosh-fuzz", 0);
        if (fd < 0 || ftruncate(fd, 0) != 0)
            abort();
        size_t written = 0;
        while (written < size) {
            const ssize_t count = pwrite(fd, data + written, size - written, static_cast<off_t>(written));
            if (count <= 0)
                abort();
            written += static_cast<size_t>(count);
        }
        path = "/proc/self/fd/" + std::to_string(fd);
    }

    const char* name() const { return path.c_str(); }

private:
    std::string path;
};

#endif
