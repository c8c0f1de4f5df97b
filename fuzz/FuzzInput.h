#ifndef FUZZ_INPUT_H
#define FUZZ_INPUT_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

// The readers take a path, so each input is written to a file of its own.
class FuzzInput
{
public:
    FuzzInput(const uint8_t* data, size_t size)
    {
        char name[] = "/tmp/grubnosh-fuzz-XXXXXX";
        const int fd = mkstemp(name);
        path = name;
        if (fd >= 0) {
            size_t written = 0;
            while (written < size) {
                const ssize_t count = write(fd, data + written, size - written);
                if (count <= 0)
                    break;
                written += static_cast<size_t>(count);
            }
            close(fd);
        }
    }
    ~FuzzInput() { unlink(path.c_str()); }

    const char* name() const { return path.c_str(); }

private:
    std::string path;
};

#endif
