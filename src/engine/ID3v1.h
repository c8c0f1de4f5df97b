#ifndef TORVANE_ID3V1_H
#define TORVANE_ID3V1_H

#include <string>

// The 128-byte tag at the end of a music file; texts as stored, no charset conversion.
class id3v1tags
{
public:
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    unsigned char genre;
};

// Reads the tag of the file at path; the caller owns the result.
// Null when the file cannot be opened or carries no tag.
id3v1tags* getV1Tags(const char* path);

#endif
