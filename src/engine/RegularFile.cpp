#include "RegularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// errno for a path that is there but is no regular file.
int refusalOf(const struct stat& info)
{
    return S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
}

} // namespace

int openRegularFile(const char* path)
{
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return -1;
    struct stat info;
    int failure = 0;
    if (fstat(descriptor, &info) != 0)
        failure = errno;
    else if (!S_ISREG(info.st_mode))
        failure = refusalOf(info);
    else if (fcntl(descriptor, F_SETFL, fcntl(descriptor, F_GETFL) & ~O_NONBLOCK) != 0)
        failure = errno;
    if (failure == 0)
        return descriptor;
    close(descriptor);
    errno = failure;
    return -1;
}

FILE* fopenRegularFile(const char* path)
{
    const int descriptor = openRegularFile(path);
    if (descriptor < 0)
        return NULL;
    FILE* file = fdopen(descriptor, "rb");
    if (file == NULL) {
        const int failure = errno;
        close(descriptor);
        errno = failure;
    }
    return file;
}

bool isRegularFile(const char* path)
{
    const int descriptor = openRegularFile(path);
    if (descriptor < 0)
        return false;
    close(descriptor);
    return true;
}

bool writeWhole(int descriptor, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t count = write(descriptor, bytes.data() + done, bytes.size() - done);
        if (count < 0 && errno != EINTR)
            return false;
        if (count > 0)
            done += static_cast<size_t>(count);
    }
    return true;
}

RegularFileBuffer::RegularFileBuffer(const char* path) : descriptor(openRegularFile(path)), owned(true)
{
}

RegularFileBuffer::RegularFileBuffer(int descriptor) : descriptor(descriptor), owned(false)
{
}

RegularFileBuffer::~RegularFileBuffer()
{
    if (owned && descriptor >= 0)
        close(descriptor);
}

RegularFileBuffer::int_type RegularFileBuffer::underflow()
{
    if (descriptor < 0)
        return traits_type::eof();
    ssize_t count;
    do
        count = read(descriptor, chunk, sizeof chunk);
    while (count < 0 && errno == EINTR);
    if (count < 0)
        failure = errno;
    if (count <= 0)
        return traits_type::eof();
    setg(chunk, chunk, chunk + count);
    return traits_type::to_int_type(chunk[0]);
}

RegularFileStream::RegularFileStream(const char* path) : std::istream(nullptr), file(path)
{
    attach();
}

RegularFileStream::RegularFileStream(int descriptor) : std::istream(nullptr), file(descriptor)
{
    attach();
}

void RegularFileStream::attach()
{
    rdbuf(&file);
    if (!file.isOpen())
        setstate(std::ios::failbit);
}
