#ifndef TORVANE_REGULAR_FILE_H
#define TORVANE_REGULAR_FILE_H

#include <istream>
#include <streambuf>

// The engine's readers open only regular files. Opening a FIFO waits for a
// writer, and reading one waits for data, for ever; a device or a folder holds
// nothing of ours. Each is refused before anything is read, and the reader
// says what it says of a missing file. Internal to the engine, not for its users.

// Opens path for reading when it is a regular file, without waiting on the
// way; the descriptor then reads normally (blocking). The caller closes it.
// -1 with errno set otherwise: EISDIR for a folder, EINVAL for anything else
// that is not a regular file.
int openRegularFile(const char* path);

// Whether openRegularFile would open path: for readers that hand the path to a
// library which opens the file itself.
bool isRegularFile(const char* path);

// Reads a descriptor from openRegularFile; closes it when it goes.
class RegularFileBuffer : public std::streambuf
{
public:
    explicit RegularFileBuffer(const char* path);
    ~RegularFileBuffer() override;
    RegularFileBuffer(const RegularFileBuffer&) = delete;
    RegularFileBuffer& operator=(const RegularFileBuffer&) = delete;

    bool isOpen() const { return descriptor >= 0; }

protected:
    int_type underflow() override;

private:
    int descriptor;
    char chunk[4096];
};

// An input stream over a regular file, in place of std::ifstream; when the
// path names no regular file it is failed from the start and isOpen() is false.
class RegularFileStream : public std::istream
{
public:
    explicit RegularFileStream(const char* path);

    bool isOpen() const { return file.isOpen(); }

private:
    RegularFileBuffer file;
};

#endif
