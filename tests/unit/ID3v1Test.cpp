#include <gtest/gtest.h>

#include <memory>

#include "ID3v1.h"
#include "OutputCapture.h"
#include "TagBlock.h"
#include "TestFolder.h"

namespace {

const std::string kNoTagLine = "This file does not contain ID3v1 information";
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

TEST(ID3v1, NulPaddedFieldsAreCutAtTheFirstNul)
{
    TagFields fields;
    fields.title = "Low Tide";
    fields.artist = "Ada Fenwick";
    fields.album = "Harbour";
    fields.year = "2004";
    fields.comment = "first take";
    fields.genre = 17;
    std::string errors;
    auto tags = tagsOf(kAudioBytes + tagBlock(fields), &errors);
    ASSERT_NE(tags, nullptr);
    EXPECT_EQ(errors, "");
    EXPECT_EQ(tags->title, "Low Tide");
    EXPECT_EQ(tags->artist, "Ada Fenwick");
    EXPECT_EQ(tags->album, "Harbour");
    EXPECT_EQ(tags->year, "2004");
    EXPECT_EQ(tags->comment, "first take");
    EXPECT_EQ(tags->genre, 17);
}

TEST(ID3v1, SpacePaddingStaysInTheText)
{
    TagFields fields;
    fields.title = "Low Tide";
    fields.artist = "Ada";
    fields.year = "99";
    fields.padding = ' ';
    auto tags = tagsOf(kAudioBytes + tagBlock(fields));
    ASSERT_NE(tags, nullptr);
    EXPECT_EQ(tags->title, "Low Tide" + std::string(22, ' '));
    EXPECT_EQ(tags->artist, "Ada" + std::string(27, ' '));
    EXPECT_EQ(tags->album, std::string(30, ' '));
    EXPECT_EQ(tags->year, "99  ");
}

TEST(ID3v1, FullFieldsGiveAllTheirBytesAndBytesAreNotConverted)
{
    TagFields fields;
    fields.title = std::string(29, 'T') + "\xE9";
    fields.artist = std::string(30, 'A');
    fields.album = std::string(30, 'L');
    fields.year = "1999";
    fields.comment = std::string(30, 'C');
    fields.genre = 255;
    auto tags = tagsOf(tagBlock(fields));
    ASSERT_NE(tags, nullptr) << "a file of exactly 128 bytes can hold a tag";
    EXPECT_EQ(tags->title, std::string(29, 'T') + "\xE9");
    EXPECT_EQ(tags->artist, std::string(30, 'A'));
    EXPECT_EQ(tags->album, std::string(30, 'L'));
    EXPECT_EQ(tags->year, "1999");
    EXPECT_EQ(tags->comment, std::string(30, 'C'));
    EXPECT_EQ(tags->genre, 255);
}

TEST(ID3v1, LineFeedInAFieldDoesNotShiftTheFieldsAfterIt)
{
    TagFields fields;
    fields.title = "Two\nLines";
    fields.artist = "Ada";
    fields.album = "Harbour\n";
    fields.year = "2004";
    auto tags = tagsOf(kAudioBytes + tagBlock(fields));
    ASSERT_NE(tags, nullptr);
    EXPECT_EQ(tags->title, "Two\nLines");
    EXPECT_EQ(tags->artist, "Ada");
    EXPECT_EQ(tags->album, "Harbour\n");
    EXPECT_EQ(tags->year, "2004");
}

TEST(ID3v1, TrackNumberAfterANulIsNotPartOfTheComment)
{
    TagFields fields;
    fields.comment = "Nice" + std::string(25, '\0') + "\x07";
    fields.genre = 3;
    auto tags = tagsOf(kAudioBytes + tagBlock(fields));
    ASSERT_NE(tags, nullptr);
    EXPECT_EQ(tags->comment, "Nice");
    EXPECT_EQ(tags->genre, 3);
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
