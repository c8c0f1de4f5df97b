#include <gtest/gtest.h>

#include <memory>

#include "OutputCapture.h"
#include "TestFolder.h"
#include "VeskBitmapFont.h"

namespace {

const char* kDefinition = "info face=\"Test\"\ncommon lineHeight=20 base=15 scaleW=256 scaleH=256 pages=1\n"
                          "char id=65 x=1 y=2 width=3 height=4 xoffset=5 yoffset=6 xadvance=7 page=0";

} // namespace

TEST(FontWithoutImage, TheDefinitionIsNotReadAndTheFontIsNotReady)
{
    TestFolder folder;
    folder.write("font.fnt", kDefinition);
    const std::string image = folder.file("font.tga");
    const std::string definition = folder.file("font.fnt");
    OutputCapture log;
    VeskBitmapFont font(image.c_str(), definition.c_str());
    EXPECT_FALSE(font.isReady());
    EXPECT_EQ(log.outLines(),
              std::vector<std::string>{"INFO) Initializing bitmap font load (tga:" + image + " fnt:" + definition + ")"});
    EXPECT_EQ(log.errLines(), (std::vector<std::string>{"FAIL) Image file " + image + " not found",
                                                        "FAIL) Bitmap font bitmap file " + image +
                                                            " not found or unusable"}));
    EXPECT_EQ(font.getCharacter('A').id, 0);
}

TEST(FontWithoutImage, AFamilyNameOfNinetyFiveCharactersIsTriedInFull)
{
    TestFolder folder;
    const std::string family = folder.file(std::string(95 - folder.path().size() - 1, 'f'));
    ASSERT_EQ(family.size(), 95u);
    OutputCapture log;
    VeskBitmapFont font(family.c_str());
    EXPECT_FALSE(font.isReady());
    EXPECT_EQ(log.outLines(), std::vector<std::string>{"INFO) Initializing bitmap font load (family: " + family + ")"});
    EXPECT_EQ(log.errLines(), (std::vector<std::string>{"FAIL) Image file " + family + ".tga not found",
                                                        "FAIL) Bitmap font bitmap file " + family +
                                                            ".tga not found or unusable"}));
}

TEST(FontWithoutImage, ALongerFamilyNameIsRefusedBeforeAnyFileIsTried)
{
    const std::string family(96, 'f');
    OutputCapture log;
    VeskBitmapFont font(family.c_str());
    EXPECT_FALSE(font.isReady());
    EXPECT_EQ(log.errLines(), (std::vector<std::string>{
                                  "FAIL) Font family name " + family + " is too long (at most 95 characters)",
                                  "FAIL) Bitmap font bitmap file " + family + ".tga not found or unusable"}));
}

namespace {

// Records what reaches the four-argument right-aligned print.
class RecordingFont : public VeskBitmapFont
{
public:
    RecordingFont() : VeskBitmapFont("absent.tga", "absent.fnt") {}
    void rightAlignPrint(std::string text, int x, int y, float alpha) override
    {
        calls.push_back(text + " " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(alpha));
    }
    using VeskBitmapFont::rightAlignPrint;
    std::vector<std::string> calls;
};

} // namespace

TEST(FontWithoutImage, RightAlignedPrintWithoutAlphaGoesThroughTheVirtualTableWithFullOpacity)
{
    OutputCapture quiet;
    RecordingFont font;
    VeskBitmapFont& base = font;
    base.rightAlignPrint("text", 10, 20);
    EXPECT_EQ(font.calls, std::vector<std::string>{"text 10 20 1.000000"});
}

TEST(FontWithoutImageDeathTest, DrawingAGlyphWithoutAnImageEndsTheProcess)
{
    std::unique_ptr<VeskBitmapFont> font;
    {
        OutputCapture quiet;
        font = std::make_unique<VeskBitmapFont>("absent.tga", "absent.fnt");
    }
    EXPECT_EXIT(font->drawChar(0, 0, 8, 8, 0, 0, 8, 8, 255, 255, 255, 1.0f), ::testing::ExitedWithCode(1),
                ::testing::Eq(std::string("Page #0 is gone!\n")));
}
