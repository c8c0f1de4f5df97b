#ifndef TORVANE_REGULAR_FILE_H
#define TORVANE_REGULAR_FILE_H

/// @file
/// Reading regular files only, each opened once, and writing files whole: how
/// the engine reads and writes its files, for programs with files of their own.
///
/// Opening a FIFO waits for a writer, and reading one waits for data, for
/// ever; a device or a folder holds nothing to read. Each is refused before
/// anything is read, and the reader says what it says of a missing file.

#include <cstdio>
#include <istream>
#include <streambuf>
#include <string>

/// Opens path for reading when it is a regular file, without waiting on the
/// way; the descriptor then reads normally (blocking) and closes on exec.
/// Returns the descriptor, which the caller closes, or -1 with errno set:
/// EISDIR for a folder, EINVAL for anything else that is not a regular file.
int openRegularFile(const char* path);

/// openRegularFile as a stdio stream for reading ("rb"), which the caller
/// closes with fclose; NULL with errno set.
FILE* fopenRegularFile(const char* path);

/// Whether openRegularFile would open path: for choosing between places.
/// A reader never asks first and then opens by name; it opens once.
bool isRegularFile(const char* path);

/// Writes every byte to an open descriptor, however many calls it takes (a
/// signal may cut one short); false with errno set, ENOSPC for a full disk.
bool writeWhole(int descriptor, const std::string& bytes);

/// A stream buffer over a descriptor of a regular file, read from its
/// current offset. A read error ends the input as the end of the file does,
/// and readError() then tells it apart.
class RegularFileBuffer : public std::streambuf
{
public:
    /// Opens path with openRegularFile, and closes it when it goes.
    explicit RegularFileBuffer(const char* path);
    /// Reads the caller's descriptor, which stays open when the buffer goes.
    explicit RegularFileBuffer(int descriptor);
    /// Closes the descriptor it opened.
    ~RegularFileBuffer() override;
    /// Not copyable: the descriptor is closed once.
    RegularFileBuffer(const RegularFileBuffer&) = delete;
    /// Not assignable, for the same reason.
    RegularFileBuffer& operator=(const RegularFileBuffer&) = delete;

    /// False when the path named no regular file (errno said why).
    bool isOpen() const { return descriptor >= 0; }
    /// The errno of the read that failed, or 0 while every read succeeded.
    int readError() const { return failure; }

protected:
    /// Reads the next chunk.
    int_type underflow() override;

private:
    int descriptor;
    bool owned;
    int failure = 0;
    char chunk[4096];
};

/// An input stream over a regular file, in place of std::ifstream: failed
/// from the start, with isOpen() false, when the path names no regular file.
class RegularFileStream : public std::istream
{
public:
    /// Opens path with openRegularFile.
    explicit RegularFileStream(const char* path);
    /// Reads the caller's open descriptor from its current offset; it stays open.
    explicit RegularFileStream(int descriptor);

    /// False when the path named no regular file.
    bool isOpen() const { return file.isOpen(); }
    /// The errno of a failed read, which ended the input early; 0 when none failed.
    int readError() const { return file.readError(); }

private:
    void attach();

    RegularFileBuffer file;
};

#endif
