#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <regex>

#include "FontRaster.h"
#include "GlTestSupport.h"
#include "OutputCapture.h"
#include "TestFolder.h"
#include "TorvaneApp.h"
#include "VeskBitmapFont.h"

namespace {

const ScreenColour kMagenta = {255, 0, 255};
const ScreenColour kBlack = {0, 0, 0};
const ScreenColour kRed = {255, 0, 0};
const ScreenColour kGreen = {0, 255, 0};
const ScreenColour kBlue = {0, 0, 255};
const ScreenColour kYellow = {255, 255, 0};
const ScreenColour kCyan = {0, 255, 255};
const ScreenColour kWhite = {255, 255, 255};

// A square image of texels, written as an uncompressed 32-bit TGA with its top row first.
class TexelImage
{
public:
    TexelImage(int side, ScreenColour fill) : side(side), texels(static_cast<size_t>(side) * side, fill) {}

    void paint(int x, int y, int width, int height, ScreenColour texel)
    {
        for (int row = y; row < y + height; ++row)
            for (int column = x; column < x + width; ++column)
                texels[static_cast<size_t>(row) * side + column] = texel;
    }

    void save(const std::string& path) const
    {
        const uint8_t header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, static_cast<uint8_t>(side & 0xFF),
                                    static_cast<uint8_t>(side >> 8), static_cast<uint8_t>(side & 0xFF),
                                    static_cast<uint8_t>(side >> 8), 32, 0x28};
        FILE* file = fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        fwrite(header, 1, sizeof header, file);
        for (const ScreenColour& texel : texels) {
            const uint8_t bgra[4] = {texel.b, texel.g, texel.r, texel.a};
            fwrite(bgra, 1, sizeof bgra, file);
        }
        fclose(file);
    }

private:
    int side;
    std::vector<ScreenColour> texels;
};

// Glyph cells with known colours; everything around them is magenta, so a texture
// coordinate that strays shows up.
const char* kDefinition = "info face=\"Fixture\"\n"
                          "common lineHeight=24 base=18 scaleW=256 scaleH=256 pages=1\n"
                          "char id=65 x=16 y=32 width=8 height=16 xoffset=2 yoffset=3 xadvance=12 page=0\n"
                          "char id=66 x=32 y=32 width=8 height=16 xoffset=0 yoffset=0 xadvance=9 page=0\n"
                          "char id=87 x=48 y=32 width=8 height=8 xoffset=1 yoffset=2 xadvance=10 page=0\n"
                          "char id=72 x=64 y=32 width=8 height=8 xoffset=1 yoffset=2 xadvance=10 page=0\n"
                          "char id=75 x=80 y=32 width=8 height=8 xoffset=1 yoffset=2 xadvance=10 page=0\n"
                          "char id=92 x=48 y=32 width=8 height=8 xoffset=0 yoffset=0 xadvance=10 page=0";

void writeFixture(const TestFolder& folder)
{
    TexelImage image(256, kMagenta);
    image.paint(16, 32, 4, 8, {255, 0, 0, 255});
    image.paint(20, 32, 4, 8, {0, 255, 0, 255});
    image.paint(16, 40, 4, 8, {0, 0, 255, 255});
    image.paint(20, 40, 4, 8, {255, 255, 0, 255});
    image.paint(32, 32, 8, 16, {0, 255, 255, 255});
    image.paint(48, 32, 8, 8, {255, 255, 255, 255});
    image.paint(64, 32, 8, 8, {255, 255, 255, 128});
    image.paint(80, 32, 8, 8, {0, 0, 0, 255});
    image.save(folder.file("fixture.tga"));
    folder.write("fixture.fnt", kDefinition);
}

#define EXPECT_PIXEL(frame, x, y, colour) \
    EXPECT_TRUE(isNear((frame).at(x, y), colour)) << "at (" << (x) << "," << (y) << "): " << describe((frame).at(x, y))

bool anyLit(const ScreenImage& frame)
{
    for (uint8_t byte : frame.rgb)
        if (byte > 8)
            return true;
    return false;
}

class FontDrawing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        openTestWindow();
        clearFrame();
        writeFixture(folder);
        font = makeFont<VeskBitmapFont>();
    }

    void TearDown() override
    {
        OutputCapture quiet;
        font.reset();
    }

    template <typename Font>
    std::unique_ptr<Font> makeFont()
    {
        OutputCapture quiet;
        return std::make_unique<Font>(image().c_str(), definition().c_str());
    }

    std::string image() const { return folder.file("fixture.tga"); }
    std::string definition() const { return folder.file("fixture.fnt"); }

    TestFolder folder;
    std::unique_ptr<VeskBitmapFont> font;
};

} // namespace

TEST_F(FontDrawing, TextWidthIsHowFarThePenMovesOnTheWidestLine)
{
    const struct
    {
        const char* text;
        int width;
    } cases[] = {{"", 0}, {"AB", 21}, {"AB\\WHK", 30}, {"WHK\\AB", 30}, {"A\\", 12}, {"A?", 12}};
    for (const auto& test : cases)
        EXPECT_EQ(TQ_textWidth(*font, test.text), test.width) << test.text;
}

TEST_F(FontDrawing, AGlyphLandsAtThePenPlusItsOffsetsWithItsOwnTexels)
{
    ASSERT_TRUE(font->isReady());
    font->print("A", 100, 50);
    const ScreenImage frame = readScreenImage();
    EXPECT_PIXEL(frame, 102, 53, kRed);
    EXPECT_PIXEL(frame, 105, 60, kRed);
    EXPECT_PIXEL(frame, 106, 53, kGreen);
    EXPECT_PIXEL(frame, 109, 60, kGreen);
    EXPECT_PIXEL(frame, 102, 61, kBlue);
    EXPECT_PIXEL(frame, 105, 68, kBlue);
    EXPECT_PIXEL(frame, 106, 61, kYellow);
    EXPECT_PIXEL(frame, 109, 68, kYellow);
    EXPECT_PIXEL(frame, 101, 53, kBlack);
    EXPECT_PIXEL(frame, 110, 53, kBlack);
    EXPECT_PIXEL(frame, 102, 52, kBlack);
    EXPECT_PIXEL(frame, 102, 69, kBlack);
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            ASSERT_FALSE(isNear(frame.at(x, y), {255, 0, 255}, 60)) << "texels outside the cell at " << x << "," << y;
}

TEST_F(FontDrawing, TextureCoordinatesAreDividedBy256WhateverTheImageSize)
{
    TexelImage large(512, kMagenta);
    large.paint(32, 64, 16, 32, {255, 128, 0, 255});
    large.save(folder.file("large.tga"));
    folder.write("large.fnt", "info\ncommon lineHeight=24 base=18 scaleW=512 scaleH=512 pages=1\n"
                              "char id=65 x=16 y=32 width=8 height=16 xoffset=0 yoffset=0 xadvance=12 page=0");
    std::unique_ptr<VeskBitmapFont> largeFont;
    {
        OutputCapture quiet;
        largeFont = std::make_unique<VeskBitmapFont>(folder.file("large.tga").c_str(), folder.file("large.fnt").c_str());
    }
    largeFont->print("A", 200, 200);
    const ScreenImage frame = readScreenImage();
    for (int y = 200; y < 216; ++y)
        for (int x = 200; x < 208; ++x)
            ASSERT_TRUE(isNear(frame.at(x, y), {255, 128, 0})) << x << "," << y << ": " << describe(frame.at(x, y));
}

TEST_F(FontDrawing, ABackslashBreaksTheLineWithoutBeingDrawn)
{
    font->print("A\\B", 10, 20);
    const ScreenImage frame = readScreenImage();
    EXPECT_PIXEL(frame, 12, 23, kRed);
    EXPECT_PIXEL(frame, 10, 44, kCyan) << "the next line starts at x again, one line height down";
    EXPECT_PIXEL(frame, 17, 59, kCyan);
    EXPECT_PIXEL(frame, 9, 44, kBlack);
    EXPECT_PIXEL(frame, 18, 44, kBlack);
    EXPECT_PIXEL(frame, 22, 20, kBlack) << "the backslash's own glyph is never drawn";
    EXPECT_PIXEL(frame, 29, 27, kBlack);
}

namespace {

class TallLineFont : public VeskBitmapFont
{
public:
    TallLineFont(const char* image, const char* definition) : VeskBitmapFont(image, definition) {}
    int getLineHeight() override { return 40; }
};

} // namespace

TEST_F(FontDrawing, LineBreaksAskTheLineHeightThroughTheVirtualTable)
{
    std::unique_ptr<TallLineFont> tall = makeFont<TallLineFont>();
    tall->print("A\\B", 10, 20);
    tall->rightAlignPrint("B\\B", 300, 20);
    const ScreenImage frame = readScreenImage();
    EXPECT_PIXEL(frame, 10, 60, kCyan);
    EXPECT_PIXEL(frame, 10, 59, kBlack);
    EXPECT_PIXEL(frame, 292, 60, kCyan);
    OutputCapture quiet;
    tall.reset();
}

TEST_F(FontDrawing, RightAlignedTextEndsAtXPlusTheLastGlyphsOffset)
{
    font->rightAlignPrint("W", 100, 50);
    font->rightAlignPrint("BB", 300, 50);
    const ScreenImage frame = readScreenImage();
    EXPECT_PIXEL(frame, 93, 52, kWhite);
    EXPECT_PIXEL(frame, 100, 52, kWhite);
    EXPECT_PIXEL(frame, 92, 52, kBlack);
    EXPECT_PIXEL(frame, 101, 52, kBlack);

    EXPECT_PIXEL(frame, 299, 50, kCyan);
    EXPECT_PIXEL(frame, 300, 50, kBlack);
    EXPECT_PIXEL(frame, 292, 50, kCyan);
    EXPECT_PIXEL(frame, 291, 50, kBlack) << "the earlier glyph stands one advance further left";
    EXPECT_PIXEL(frame, 290, 50, kCyan);
    EXPECT_PIXEL(frame, 283, 50, kCyan);
    EXPECT_PIXEL(frame, 282, 50, kBlack);
}

TEST_F(FontDrawing, RightAlignedLinesAreLaidOutFromTheLastOneDown)
{
    font->rightAlignPrint("B\\W", 400, 100);
    const ScreenImage frame = readScreenImage();
    EXPECT_PIXEL(frame, 393, 102, kWhite) << "the last line stands at y";
    EXPECT_PIXEL(frame, 392, 124, kCyan) << "the line before it one line height lower";
}

TEST_F(FontDrawing, ColourAndAlphaReachThePixelsAndTheColourStays)
{
    font->setFontColour(255, 0, 0);
    font->print("W", 10, 10);
    font->print("W", 30, 10, 0.5f);
    font->print("W", 50, 10);
    GLfloat current[4];
    glGetFloatv(GL_CURRENT_COLOR, current);
    EXPECT_EQ(current[0] + current[1] + current[2] + current[3], 4.0f) << "opaque white after drawing";
    font->setFontColour(255, 255, 255);
    font->print("H", 70, 10);
    font->print("W", 90, 10);
    font->print("K", 90, 10);
    font->print("K", 110, 10);
    const ScreenImage frame = readScreenImage();
    EXPECT_PIXEL(frame, 11, 12, kRed);
    EXPECT_PIXEL(frame, 31, 12, (ScreenColour{128, 0, 0}));
    EXPECT_PIXEL(frame, 51, 12, kRed);
    EXPECT_PIXEL(frame, 71, 12, (ScreenColour{128, 128, 128})) << "the image's own alpha is kept";
    EXPECT_PIXEL(frame, 91, 12, kWhite) << "pure black texels are transparent";
    EXPECT_PIXEL(frame, 111, 12, kBlack);
}

TEST_F(FontDrawing, EmptyTextDrawsAndLogsNothing)
{
    OutputCapture log;
    font->print("", 10, 10);
    font->rightAlignPrint("", 10, 10);
    EXPECT_EQ(log.err(), "");
    EXPECT_FALSE(anyLit(readScreenImage()));
}

TEST_F(FontDrawing, ANotReadyFontLogsOncePerCallAndDrawsNothing)
{
    OutputCapture construction;
    VeskBitmapFont broken(image().c_str(), folder.file("absent.fnt").c_str());
    EXPECT_FALSE(broken.isReady());
    EXPECT_EQ(construction.errLines(),
              (std::vector<std::string>{"[" + folder.file("absent.fnt") + "] wasn't found",
                                        "FAIL) Bitmap font definition file " + folder.file("absent.fnt") +
                                            " not found or unusable"}));

    OutputCapture log;
    broken.print("A", 10, 10);
    broken.print("A", 10, 10, 0.5f);
    broken.sprint(10, 10, "%i", 1);
    broken.rightAlignPrint("A", 10, 10);
    broken.rightAlignPrint("A", 10, 10, 0.5f);
    EXPECT_EQ(log.errLines(), std::vector<std::string>(
                                  5, "FAIL) This font isn't ready to print to. Didn't complete construction"));
    EXPECT_FALSE(anyLit(readScreenImage()));

    broken.drawChar(16, 32, 24, 48, 300, 300, 8, 16, 255, 255, 255, 1.0f);
    EXPECT_PIXEL(readScreenImage(), 300, 300, kRed) << "the image's texture stays";
}

TEST_F(FontDrawing, ConstructorsAndDestructorLogTheirLinesInOrder)
{
    const std::vector<std::string> definitionLines = {"setting lineHeight", "setting base", "setting scaleW",
                                                      "setting scaleH", "ignoring pages for now"};
    {
        OutputCapture log;
        VeskBitmapFont loaded(image().c_str(), definition().c_str());
        std::vector<std::string> lines = log.outLines();
        ASSERT_EQ(lines.size(), 7u);
        EXPECT_EQ(lines[0], "INFO) Initializing bitmap font load (tga:" + image() + " fnt:" + definition() + ")");
        EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.end() - 1), definitionLines);
        EXPECT_TRUE(std::regex_match(lines[6], std::regex("PASS\\) Startup sequence completed in [0-9]+ ms using " +
                                                          image() + ", " + definition())))
            << lines[6];
        EXPECT_EQ(log.err(), "");
    }
    OutputCapture log;
    auto family = std::make_unique<VeskBitmapFont>(folder.file("fixture").c_str());
    EXPECT_TRUE(family->isReady());
    family.reset();
    std::vector<std::string> lines = log.outLines();
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "INFO) Initializing bitmap font load (family: " + folder.file("fixture") + ")");
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.begin() + 6), definitionLines);
    EXPECT_TRUE(std::regex_match(lines[6], std::regex("PASS\\) Bitmap font load completed in [0-9]+ ms"))) << lines[6];
    EXPECT_EQ(lines[7], "INFO) Emptying bitmap font");
    EXPECT_TRUE(std::regex_match(lines[8], std::regex("PASS\\) Bitmap font emptied in [0-9]+ ms"))) << lines[8];
}

namespace {

// Records the calls that reach the three-argument print.
class RecordingFont : public VeskBitmapFont
{
public:
    RecordingFont(const char* image, const char* definition) : VeskBitmapFont(image, definition) {}
    using VeskBitmapFont::print;
    void print(std::string text, int x, int y) override
    {
        calls.push_back(text + "@" + std::to_string(x) + "," + std::to_string(y));
    }
    std::vector<std::string> calls;
};

// Records the calls that reach the four-argument print.
class AlphaRecordingFont : public VeskBitmapFont
{
public:
    AlphaRecordingFont(const char* image, const char* definition) : VeskBitmapFont(image, definition) {}
    using VeskBitmapFont::print;
    void print(std::string text, int, int, float) override { calls.push_back(text); }
    std::vector<std::string> calls;
};

} // namespace

TEST_F(FontDrawing, FormattedTextGoesThroughTheVirtualPrintAndIsCutAt255Characters)
{
    std::unique_ptr<RecordingFont> recorder = makeFont<RecordingFont>();
    recorder->sprint(5, 6, "SCORE: %i MISSED: %i", 12, 3);
    recorder->sprint(0, 0, "%s", std::string(300, 'x').c_str());
    ASSERT_EQ(recorder->calls.size(), 2u);
    EXPECT_EQ(recorder->calls[0], "SCORE: 12 MISSED: 3@5,6");
    EXPECT_EQ(recorder->calls[1], std::string(255, 'x') + "@0,0");

    std::unique_ptr<AlphaRecordingFont> alphaRecorder = makeFont<AlphaRecordingFont>();
    alphaRecorder->print("W", 10, 10);
    EXPECT_TRUE(alphaRecorder->calls.empty()) << "the three-argument print draws by itself";
    EXPECT_PIXEL(readScreenImage(), 11, 12, kWhite);
    OutputCapture quiet;
    recorder.reset();
    alphaRecorder.reset();
}

TEST_F(FontDrawing, TheGameFontDrawsAsItsImageAndDefinitionSay)
{
    const std::string data = std::string(GRUBNOSH_SOURCE_DIR) + "/data/";
    std::unique_ptr<VeskBitmapFont> game;
    {
        OutputCapture quiet;
        game = std::make_unique<VeskBitmapFont>((data + "bitfont.tga").c_str(), (data + "bitfont.fnt").c_str());
    }
    ASSERT_TRUE(game->isReady());
    game->print("SCORE: 12 MISSED: 3", 0, 0);
    game->print("Thanks for playing... {|}~ @#$%^&*()_+", 0, 220);

    const FontRaster raster = gameFontRaster();
    ScreenImage expected(640, 480);
    raster.print(expected, "SCORE: 12 MISSED: 3", 0, 0);
    raster.print(expected, "Thanks for playing... {|}~ @#$%^&*()_+", 0, 220);
    const ScreenImage frame = readScreenImage();
    EXPECT_LE(largestDifference(frame, expected, 0, 0, 640, 480), 2);
    EXPECT_TRUE(anyLit(frame));
}
