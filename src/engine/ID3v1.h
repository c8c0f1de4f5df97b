#ifndef TORVANE_ID3V1_H
#define TORVANE_ID3V1_H

/// @file
/// getV1Tags and id3v1tags: the ID3v1 tag at the end of a music file.

#include <string>

/// The 128-byte ID3v1 tag of a music file. Each text is the field's bytes up to
/// its first NUL, trailing spaces kept, with no character set conversion.
class id3v1tags
{
public:
    std::string title;   ///< Up to 30 characters.
    std::string artist;  ///< Up to 30 characters.
    std::string album;   ///< Up to 30 characters.
    std::string year;    ///< The four characters as stored, not a number.
    std::string comment; ///< Up to 30 characters; a track number after a NUL is not kept.
    unsigned char genre; ///< The genre number as stored.
};

/// Reads the ID3v1 tag of the file at path into a new record, which the caller
/// deletes. Null, with "Can't open %s" or "This file does not contain ID3v1
/// information" on standard error, when the file cannot be opened or has no tag.
id3v1tags* getV1Tags(const char* path);

#endif
