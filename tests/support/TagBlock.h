#ifndef TEST_TAG_BLOCK_H
#define TEST_TAG_BLOCK_H

#include <string>

// What the tag reader says of a file without a tag.
const std::string kNoTagLine = "This file does not contain ID3v1 information";

// The fields of a 128-byte ID3v1 block as a test wants it written.
struct TagFields
{
    std::string marker = "TAG";
    std::string title;
    std::string artist;
    std::string album;
    std::string year;
    std::string comment;
    unsigned char genre = 0;
    char padding = '\0';
};

// Each field cut or padded to its width, so the block is always 128 bytes.
inline std::string tagBlock(const TagFields& fields)
{
    auto fit = [&fields](const std::string& text, size_t width) {
        std::string field = text.substr(0, width);
        field.resize(width, fields.padding);
        return field;
    };
    return fit(fields.marker, 3) + fit(fields.title, 30) + fit(fields.artist, 30) + fit(fields.album, 30) +
           fit(fields.year, 4) + fit(fields.comment, 30) + std::string(1, static_cast<char>(fields.genre));
}

#endif
