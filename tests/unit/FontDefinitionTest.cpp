#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <memory>
#include <unistd.h>

#include "OutputCapture.h"
#include "TestFolder.h"
#include "VeskBitmapFont.h"

namespace {

const std::string kInfo = "info face=\"Test Face\" size=16 bold=0";
const std::string kCommon = "common lineHeight=20 base=15 scaleW=256 scaleH=128 pages=1";
const std::vector<std::string> kCommonLog = {"setting lineHeight", "setting base", "setting scaleW",
                                             "setting scaleH", "ignoring pages for now"};

std::string charLine(int id, int x = 1, int y = 2, int xadvance = 7)
{
    return "char id=" + std::to_string(id) + " x=" + std::to_string(x) + " y=" + std::to_string(y) +
           " width=3 height=4 xoffset=5 yoffset=6 xadvance=" + std::to_string(xadvance) + " page=0";
}

std::string joined(const std::vector<std::string>& lines, const std::string& ending)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + ending;
    return text;
}

bool isEmpty(const FontCharacter& glyph)
{
    return glyph.x == 0 && glyph.y == 0 && glyph.width == 0 && glyph.height == 0 && glyph.xadvance == 0 &&
           glyph.id == 0 && glyph.page == 0 && glyph.xoffset == 0 && glyph.yoffset == 0;
}

// The reader needs a font object; one whose image is missing needs no OpenGL.
class FontDefinition : public ::testing::Test
{
protected:
    FontDefinition()
    {
        OutputCapture quiet;
        font = std::make_unique<VeskBitmapFont>(folder.file("none.tga").c_str(), folder.file("none.fnt").c_str());
    }

    ~FontDefinition() override
    {
        OutputCapture quiet;
        font.reset();
    }

    int load(const std::string& text)
    {
        folder.write("font.fnt", text);
        return font->loadDefinition(folder.file("font.fnt").c_str());
    }

    // For the fatal cases, run in a child process: only standard error is compared.
    void loadQuietly(const std::string& text)
    {
        if (freopen("/dev/null", "w", stdout) == NULL)
            return;
        load(text);
    }

    TestFolder folder;
    std::unique_ptr<VeskBitmapFont> font;
};

using FontDefinitionDeathTest = FontDefinition;

#define EXPECT_LOAD_ENDS_PROCESS(text, expectedError) \
    EXPECT_EXIT(loadQuietly(text), ::testing::ExitedWithCode(1), ::testing::Eq(std::string(expectedError)))

} // namespace

TEST_F(FontDefinition, ReadsThePublishedFormatAndWarnsOfTheBlankLineAfterAFinalLineFeed)
{
    OutputCapture log;
    ASSERT_EQ(load(joined({kInfo, kCommon, "char id=65 x=1 y=2 width=3 height=4 xoffset=5 yoffset=6 xadvance=7 page=8",
                           charLine(66, 10, 20)},
                          "\n")),
              0);
    EXPECT_EQ(log.outLines(), kCommonLog);
    EXPECT_EQ(log.errLines(), std::vector<std::string>{"WARN) Detected blank line."});

    EXPECT_EQ(font->getLineHeight(), 20);
    EXPECT_EQ(font->getBase(), 15);
    EXPECT_EQ(font->getScaleW(), 256);
    EXPECT_EQ(font->getScaleH(), 128);
    const FontCharacter a = font->getCharacter('A');
    EXPECT_EQ(a.id, 65);
    EXPECT_EQ(a.x, 1);
    EXPECT_EQ(a.y, 2);
    EXPECT_EQ(a.width, 3);
    EXPECT_EQ(a.height, 4);
    EXPECT_EQ(a.xoffset, 5);
    EXPECT_EQ(a.yoffset, 6);
    EXPECT_EQ(a.xadvance, 7);
    EXPECT_EQ(a.page, 8);
    EXPECT_EQ(font->getCharacter('B').x, 10);
}

TEST_F(FontDefinition, ALastLineWithoutLineFeedIsReadWithoutWarning)
{
    OutputCapture log;
    ASSERT_EQ(load(kInfo + "\n" + kCommon + "\n" + charLine(65) + "\n" + charLine(90, 40)), 0);
    EXPECT_EQ(log.err(), "");
    EXPECT_EQ(font->getCharacter('Z').x, 40);
}

TEST_F(FontDefinition, CarriageReturnsBeforeLineFeedsAreNotPartOfTheLine)
{
    OutputCapture log;
    ASSERT_EQ(load(joined({kInfo, kCommon, charLine(65, 3, 4, 9), "kerning first=65 second=66 amount=-1"}, "\r\n")), 0);
    EXPECT_EQ(log.outLines(), kCommonLog);
    EXPECT_EQ(log.errLines(), std::vector<std::string>{"FAIL) Line \"kerning first=65 second=66 amount=-1\" does not "
                                                       "contain enough tokens to be a character ID"});
    EXPECT_EQ(font->getLineHeight(), 20);
    EXPECT_EQ(font->getScaleH(), 128) << "the last common token carried no carriage return";
    EXPECT_EQ(font->getCharacter('A').xadvance, 9);
}

TEST_F(FontDefinition, TheFirstKerningLineEndsTheReadingAndTheLoadSucceeds)
{
    OutputCapture log;
    ASSERT_EQ(load(joined({kInfo, kCommon, charLine(65), "kerning first=65 second=66 amount=-1", charLine(66),
                           "anything at all"},
                          "\n")),
              0);
    EXPECT_EQ(log.errLines().size(), 1u);
    EXPECT_EQ(font->getCharacter('A').id, 65);
    EXPECT_TRUE(isEmpty(font->getCharacter('B'))) << "lines after the kerning line are not read";
}

TEST_F(FontDefinition, EachExtraTokenIsReportedOnceAndTheLineIsStillUsed)
{
    OutputCapture log;
    ASSERT_EQ(load(kInfo + "\n" + kCommon + " packed=0\n" + charLine(65) + " chnl=15\n" + charLine(66, 8) +
                   " chnl=15 extra=1"),
              0);
    const std::vector<std::string> errors = log.errLines();
    EXPECT_EQ(std::count(errors.begin(), errors.end(), "FAIL) Too many tokens in this line."), 4);
    EXPECT_EQ(font->getLineHeight(), 20);
    EXPECT_EQ(font->getCharacter('A').page, 0);
    EXPECT_EQ(font->getCharacter('B').x, 8);
}

TEST_F(FontDefinition, OneCharacterTokensTakeNoPartAndMissingFieldsStayZero)
{
    ASSERT_EQ(load(joined({kInfo, kCommon, "char id=65 x=1 - y=2 width=3 height=4 xoffset=5 yoffset=6 xadvance=7 page=8",
                           "char id=66 x=1 y=2 width=3 height=4 xoffset=5 yoffset=6 a xadvance=7"},
                          "\n")),
              0);
    const FontCharacter a = font->getCharacter('A');
    EXPECT_EQ(a.y, 2);
    EXPECT_EQ(a.page, 8);
    const FontCharacter b = font->getCharacter('B');
    EXPECT_EQ(b.xadvance, 7) << "nine tokens are counted before the one-character token is dropped";
    EXPECT_EQ(b.page, 0);
}

TEST_F(FontDefinition, TheLaterOfTwoLinesWinsAndIdZeroIsNeverStored)
{
    ASSERT_EQ(load(joined({kInfo, kCommon, charLine(65, 1), charLine(65, 99), charLine(0, 50)}, "\n")), 0);
    EXPECT_EQ(font->getCharacter('A').x, 99);
    EXPECT_TRUE(isEmpty(font->getCharacter(0)));
}

TEST_F(FontDefinition, IdsAboveTheTableAreReportedAndNotStored)
{
    OutputCapture log;
    ASSERT_EQ(load(joined({kInfo, kCommon, charLine(256), charLine(2147483647), charLine(255, 3)}, "\n")), 0);
    EXPECT_EQ(log.errLines(), (std::vector<std::string>{"WARN) Character id 256 is above 255 and was not stored.",
                                                        "WARN) Character id 2147483647 is above 255 and was not stored.",
                                                        "WARN) Detected blank line."}));
    EXPECT_EQ(font->getCharacter(255).x, 3);
}

TEST_F(FontDefinition, KeysAreNotComparedOnlyPositionsCount)
{
    ASSERT_EQ(load(joined({kInfo, "common foo=12 bar=3 baz=64 qux=32 pages=1", "char a=65 b=1 c=2 d=3 e=4 f=5 g=6 h=7 i=0"},
                          "\n")),
              0);
    EXPECT_EQ(font->getLineHeight(), 12);
    EXPECT_EQ(font->getScaleH(), 32);
    EXPECT_EQ(font->getCharacter('A').xadvance, 7);
}

TEST_F(FontDefinition, ALineOfSpacesIsTakenAsBlankAndReadingGoesOn)
{
    OutputCapture log;
    ASSERT_EQ(load(joined({kInfo, kCommon, "     ", charLine(65)}, "\n")), 0);
    EXPECT_EQ(log.errLines(), (std::vector<std::string>{"WARN) Detected blank line.", "WARN) Detected blank line."}));
    EXPECT_EQ(font->getCharacter('A').id, 65);
}

TEST_F(FontDefinition, LongLinesAreCutAndTheirRestIsNotALineOfItsOwn)
{
    const std::string fits = charLine(66) + std::string(199 - charLine(66).size(), ' ');
    const std::string tooLong = charLine(65) + std::string(250, ' ') + "tail";
    OutputCapture log;
    ASSERT_EQ(load(joined({kInfo, kCommon, fits, tooLong, charLine(67)}, "\n")), 0);
    EXPECT_EQ(log.errLines(), (std::vector<std::string>{
                                  "WARN) Line of " + std::to_string(tooLong.size()) + " characters cut to 199.",
                                  "WARN) Detected blank line."}));
    EXPECT_EQ(font->getCharacter('A').id, 65);
    EXPECT_EQ(font->getCharacter('B').id, 66);
    EXPECT_EQ(font->getCharacter('C').id, 67);
}

TEST_F(FontDefinition, AFileThatCannotBeReadChangesNothing)
{
    for (const std::string& path : {folder.file("absent.fnt"), folder.path()}) {
        OutputCapture log;
        EXPECT_EQ(font->loadDefinition(path.c_str()), -1);
        EXPECT_EQ(log.err(), "[" + path + "] wasn't found\n");
        EXPECT_EQ(log.out(), "");
    }
    EXPECT_EQ(font->getLineHeight(), 0);
}

TEST_F(FontDefinition, EntriesAndCommonValuesAreEmptyUntilALineFillsThem)
{
    EXPECT_EQ(font->getLineHeight(), 0);
    EXPECT_EQ(font->getBase(), 0);
    for (int code = 0; code < 256; ++code)
        EXPECT_TRUE(isEmpty(font->getCharacter(code))) << code;
    ASSERT_EQ(load(joined({kInfo, kCommon, charLine(65)}, "\n")), 0);
    EXPECT_TRUE(isEmpty(font->getCharacter('B')));
}

TEST_F(FontDefinition, TheGameFontListsEveryPrintableCharacterAndItsLinesFitTheWindow)
{
    OutputCapture log;
    const std::string path = std::string(GRUBNOSH_SOURCE_DIR) + "/data/bitfont.fnt";
    ASSERT_EQ(font->loadDefinition(path.c_str()), 0);
    EXPECT_EQ(log.err(), "") << "no warning, and no blank line after the last line";
    EXPECT_EQ(font->getScaleW(), 256);
    EXPECT_GE(font->getLineHeight(), 16);
    EXPECT_LE(font->getLineHeight(), 20);
    EXPECT_GT(font->getCharacter(' ').xadvance, 0);
    for (int code = 33; code <= 126; ++code) {
        const FontCharacter glyph = font->getCharacter(code);
        EXPECT_GT(glyph.width, 0) << char(code);
        EXPECT_GT(glyph.xadvance, 0) << char(code);
        EXPECT_LE(glyph.x + glyph.width, 256) << char(code);
        EXPECT_LE(glyph.y + glyph.height, 256) << char(code);
    }
    for (const std::string text : {"This puts you at the rank of The little piggie that stayed home!",
                                   "You got a score of 1000 with 1000 misses!", "SCORE: 1000 MISSED: 1000"}) {
        int width = 0;
        for (char c : text)
            width += font->getCharacter(c).xadvance;
        EXPECT_LT(width, 630) << text;
    }
}

TEST(GetInt, NothingLeftGivesMinusOneWithoutAMessage)
{
    OutputCapture log;
    EXPECT_EQ(getInt(""), -1);
    EXPECT_EQ(getInt("   "), -1);
    EXPECT_EQ(getInt(" \r \n\r\n"), -1);
    EXPECT_EQ(log.err(), "");
}

TEST(GetInt, ReadsTheValueAsAtoiDoes)
{
    OutputCapture log;
    EXPECT_EQ(getInt("id=65"), 65);
    EXPECT_EQ(getInt("xoffset=-2"), -2);
    EXPECT_EQ(getInt("id=6 5"), 65);
    EXPECT_EQ(getInt("page=0\r\n"), 0);
    EXPECT_EQ(getInt("id=65x"), 65);
    EXPECT_EQ(getInt("id=+12"), 12);
    EXPECT_EQ(getInt("id=\t42"), 42);
    EXPECT_EQ(getInt("face=\"Arial\""), 0);
    EXPECT_EQ(getInt("a=b=3"), 0) << "the split is at the first equals sign";
    EXPECT_EQ(log.err(), "");
}

TEST(GetInt, AnEmptyNameIsReportedAndTheValueStillRead)
{
    OutputCapture log;
    EXPECT_EQ(getInt("=7"), 7);
    EXPECT_EQ(log.err(), "WARN) Name too short: '' (must be at least 1 character)\n");
}

TEST(GetInt, ATokenWithoutValueGivesZero)
{
    OutputCapture log;
    EXPECT_EQ(getInt("id"), 0);
    EXPECT_EQ(getInt("id="), 0);
    EXPECT_EQ(log.err(), "");
}

TEST(GetInt, ValuesBeyondAnIntAreHeldAtItsLimits)
{
    EXPECT_EQ(getInt("id=99999999999"), INT_MAX);
    EXPECT_EQ(getInt("id=-99999999999"), INT_MIN);
}

TEST_F(FontDefinitionDeathTest, ACommonLineOfFiveTokensEndsTheProcess)
{
    EXPECT_LOAD_ENDS_PROCESS(joined({kInfo, "common lineHeight=20 base=15 scaleW=256 scaleH=256", charLine(65)}, "\n"),
                             "FAIL) Line \"common lineHeight=20 base=15 scaleW=256 scaleH=256\" does not contain "
                             "enough tokens to be a commons definition\n");
}

TEST_F(FontDefinitionDeathTest, AFileOfOneLineEndsTheProcess)
{
    EXPECT_LOAD_ENDS_PROCESS(kInfo + "\n",
                             "FAIL) Line \"\" does not contain enough tokens to be a commons definition\n");
}

TEST_F(FontDefinitionDeathTest, AFileWithoutItsInfoLineEndsTheProcess)
{
    EXPECT_LOAD_ENDS_PROCESS(joined({kCommon, charLine(65)}, "\n"),
                             "FAIL) Line \"" + charLine(65) +
                                 "\" does not contain magic word 'common' at start. Not commons definition.\n");
}

TEST_F(FontDefinitionDeathTest, PageCharsAndKerningsCountLinesEndTheProcess)
{
    for (const std::string line : {"page id=0 file=\"bitfont.tga\"", "chars count=95", "kernings count=12"})
        EXPECT_LOAD_ENDS_PROCESS(joined({kInfo, kCommon, line, charLine(65)}, "\n"),
                                 "FAIL) Line \"" + line + "\" does not contain enough tokens to be a character ID\n");
}

TEST_F(FontDefinitionDeathTest, ALongLineThatIsNotACharLineEndsTheProcessNamingTheCheck)
{
    // The message carries the line of the check in the engine's source.
    std::ifstream source(std::string(GRUBNOSH_SOURCE_DIR) + "/src/engine/VeskBitmapFont.cpp");
    std::string sourceLine;
    int lineNumber = 0;
    int checkLine = 0;
    while (std::getline(source, sourceLine) && checkLine == 0) {
        ++lineNumber;
        if (sourceLine.find("__FILE__, __LINE__") != std::string::npos)
            checkLine = lineNumber;
    }
    ASSERT_NE(checkLine, 0);
    const std::string line = "glyph id=65 x=1 y=2 width=3 height=4 xoffset=5 yoffset=6 xadvance=7 page=0";
    EXPECT_LOAD_ENDS_PROCESS(joined({kInfo, kCommon, line}, "\n"),
                             "FAIL src/engine/VeskBitmapFont.cpp:" + std::to_string(checkLine) + ") Line \"" + line +
                                 "\" does not contain magic word 'char' at start. Not character id.\n");
}
