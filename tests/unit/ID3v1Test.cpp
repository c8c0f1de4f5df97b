#include <gtest/gtest.h>

#include <memory>

#include "ID3v1.h"
#include "OutputCapture.h"
#include "TagBlock.h"
#include "TestFolder.h"

namespace {

const std::string kAudioBytes(300, '\x5A');

// Reads the tag of a file holding contents; also returns what went to stderr.
std::unique_ptr<id3v1tags> tagsOf(const std::string& contents, std::string* errors = nullptr)
{
    TestFolder folder;
    folder.write("track.ogg", contents);
    OutputCapture capture;
    std::unique_ptr<id3v1tags> tags(getV1Tags(folder.file("track.ogg").c_str()));
    if (errors)
        *errors = capture.err();
    EXPECT_EQ(capture.out(), "");
    return tags;
}

void expectNoTag(const std::string& contents)
{
    std::string errors;
    EXPECT_EQ(tagsOf(contents, &errors), nullptr);
    EXPECT_EQ(errors, kNoTagLine + "\n");
}

} // namespace

namespace {

TagFields fieldsOf(const std::string& title, const std::string& artist, const std::string& album,
                   const std::string& year, const std::string& comment, unsigned char genre, char padding = '\0')
{
    TagFields fields;
    fields.title = title;
    fields.artist = artist;
    fields.album = album;
    fields.year = year;
    fields.comment = comment;
    fields.genre = genre;
    fields.padding = padding;
    return fields;
}

struct TagCase
{
    const char* name;
    std::string audio; // what comes before the block
    TagFields written;
    id3v1tags read;
};

} // namespace

TEST(ID3v1, FieldsAreReadAsStored)
{
    const std::string spaces(30, ' ');
    const TagCase cases[] = {
        {"NUL-padded fields are cut at the first NUL", kAudioBytes,
         fieldsOf("Low Tide", "Ada Fenwick", "Harbour", "2004", "first take", 17),
         {"Low Tide", "Ada Fenwick", "Harbour", "2004", "first take", 17}},
        {"space padding stays in the text", kAudioBytes, fieldsOf("Low Tide", "Ada", "", "99", "", 0, ' '),
         {"Low Tide" + std::string(22, ' '), "Ada" + std::string(27, ' '), spaces, "99  ", spaces, 0}},
        {"a file of exactly 128 bytes holds a tag; full fields give all their bytes, unconverted", "",
         fieldsOf(std::string(29, 'T') + "\xE9", std::string(30, 'A'), std::string(30, 'L'), "1999",
                  std::string(30, 'C'), 255),
         {std::string(29, 'T') + "\xE9", std::string(30, 'A'), std::string(30, 'L'), "1999", std::string(30, 'C'), 255}},
        {"a line feed in a field does not shift the fields after it", kAudioBytes,
         fieldsOf("Two\nLines", "Ada", "Harbour\n", "2004", "", 0), {"Two\nLines", "Ada", "Harbour\n", "2004", "", 0}},
        {"a track number after a NUL is not part of the comment", kAudioBytes,
         fieldsOf("", "", "", "", "Nice" + std::string(25, '\0') + "\x07", 3), {"", "", "", "", "Nice", 3}},
    };
    for (const TagCase& tagCase : cases) {
        std::string errors;
        const auto tags = tagsOf(tagCase.audio + tagBlock(tagCase.written), &errors);
        ASSERT_NE(tags, nullptr) << tagCase.name;
        EXPECT_EQ(errors, "") << tagCase.name;
        EXPECT_EQ(tags->title, tagCase.read.title) << tagCase.name;
        EXPECT_EQ(tags->artist, tagCase.read.artist) << tagCase.name;
        EXPECT_EQ(tags->album, tagCase.read.album) << tagCase.name;
        EXPECT_EQ(tags->year, tagCase.read.year) << tagCase.name;
        EXPECT_EQ(tags->comment, tagCase.read.comment) << tagCase.name;
        EXPECT_EQ(tags->genre, tagCase.read.genre) << tagCase.name;
    }
}

TEST(ID3v1, MarkerCountsOnlyInUpperCaseAndExactly128BytesFromTheEnd)
{
    TagFields lowerCase;
    lowerCase.marker = "tag";
    lowerCase.title = "Low Tide";
    expectNoTag(kAudioBytes + tagBlock(lowerCase));

    TagFields tagged;
    tagged.title = "Low Tide";
    const std::string block = tagBlock(tagged);
    expectNoTag(block + kAudioBytes);
    expectNoTag(kAudioBytes + block + "x");
    expectNoTag(kAudioBytes + block.substr(1));
    expectNoTag(kAudioBytes);
}

TEST(ID3v1, FileShorterThanATagHasNone)
{
    TagFields fields;
    fields.title = "Low Tide";
    expectNoTag(tagBlock(fields).substr(0, 127));
    expectNoTag("TAG");
    expectNoTag("");
}

TEST(ID3v1, FileThatCannotBeOpenedIsNamed)
{
    TestFolder folder;
    const std::string path = folder.file("absent.ogg");
    OutputCapture capture;
    EXPECT_EQ(getV1Tags(path.c_str()), nullptr);
    EXPECT_EQ(capture.err(), "Can't open " + path + "\n");
    EXPECT_EQ(capture.out(), "");
}
