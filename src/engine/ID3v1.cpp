#include "ID3v1.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "RegularFile.h"

namespace {

const long kTagSize = 128;

// Byte offsets and widths inside the tag block.
const size_t kTitleAt = 3, kArtistAt = 33, kAlbumAt = 63, kYearAt = 93, kCommentAt = 97, kGenreAt = 127;
const size_t kTextWidth = 30, kYearWidth = 4;

// A field's text ends at its first NUL, or fills the whole field.
std::string fieldText(const unsigned char* block, size_t offset, size_t width)
{
    const char* field = reinterpret_cast<const char*>(block + offset);
    return std::string(field, strnlen(field, width));
}

// Fills block with the file's last 128 bytes; false when the file is shorter.
bool readLastBlock(FILE* file, unsigned char* block)
{
    if (fseek(file, 0, SEEK_END) != 0 || ftell(file) < kTagSize)
        return false;
    if (fseek(file, -kTagSize, SEEK_END) != 0)
        return false;
    return fread(block, 1, kTagSize, file) == static_cast<size_t>(kTagSize);
}

id3v1tags* tagsFromBlock(const unsigned char* block)
{
    id3v1tags* tags = new id3v1tags;
    tags->title = fieldText(block, kTitleAt, kTextWidth);
    tags->artist = fieldText(block, kArtistAt, kTextWidth);
    tags->album = fieldText(block, kAlbumAt, kTextWidth);
    tags->year = fieldText(block, kYearAt, kYearWidth);
    tags->comment = fieldText(block, kCommentAt, kTextWidth);
    tags->genre = block[kGenreAt];
    return tags;
}

} // namespace

id3v1tags* getV1Tags(const char* path)
{
    // Only a regular file: a FIFO could block, a folder or a device holds no tag of ours.
    FILE* file = fopenRegularFile(path);
    if (file == NULL) {
        fprintf(stderr, "Can't open %s\n", path);
        return NULL;
    }
    unsigned char block[kTagSize];
    const bool tagged = readLastBlock(file, block) && memcmp(block, "TAG", 3) == 0;
    const bool readFailed = ferror(file) != 0;
    const int why = errno;
    fclose(file);
    if (readFailed) {
        fprintf(stderr, "Can't read %s: %s\n", path, strerror(why));
        return NULL;
    }
    if (!tagged) {
        fprintf(stderr, "This file does not contain ID3v1 information\n");
        return NULL;
    }
    return tagsFromBlock(block);
}
