#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "GlTestSupport.h"
#include "OutputCapture.h"
#include "SDL.h"
#include "SpriteManager.h"
#include "TestFolder.h"
#include "TestImage.h"

using namespace testimage;

namespace {

// Sprite 0: the four coloured quadrants; 1: half-transparent white; 2: solid green.
class SpriteDrawing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        openTestWindow();
        writeQuadrants(folder.file("0.png"));
        writeSolid(folder.file("1.png"), {255, 255, 255, 128});
        writeSolid(folder.file("2.png"), kGreen);
        OutputCapture quiet;
        manager.reset(new SpriteManager(folder.path().c_str()));
        manager->setScreenSize(640, 480);
        clearFrame();
    }

    // True when the call got past culling: drawing binds the sprite's texture.
    bool passesCulling(int x, int y, int width, int height)
    {
        glBindTexture(GL_TEXTURE_2D, 0);
        manager->drawSprite(0, x, y, width, height);
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        return static_cast<GLuint>(bound) == *manager->getSprite(0);
    }

    TestFolder folder;
    std::unique_ptr<SpriteManager> manager;
};

} // namespace

TEST(SpriteLoading, LoadsNumberedImagesUntilTheFirstGap)
{
    openTestWindow();
    TestFolder folder;
    for (const char* name : {"0.png", "1.png", "2.png", "4.png"})
        writeQuadrants(folder.file(name));
    OutputCapture capture;
    SpriteManager manager(folder.path().c_str());
    EXPECT_EQ(manager.size(), 3);
    EXPECT_EQ(capture.out(), "Loaded 3 sprites\n");
    EXPECT_EQ(capture.err(), "Sorry, sprite " + folder.path() + "/3.png is missing\n") << "4.png is never tried";
    for (int index = 0; index < 3; ++index)
        ASSERT_NE(manager.getSprite(index), nullptr);
    EXPECT_NE(*manager.getSprite(0), *manager.getSprite(2));
}

TEST(SpriteLoading, WithoutImageZeroNothingLoads)
{
    openTestWindow();
    TestFolder folder;
    writeQuadrants(folder.file("1.png"));
    OutputCapture capture;
    SpriteManager manager(folder.path().c_str());
    EXPECT_EQ(manager.size(), 0);
    EXPECT_EQ(capture.out(), "Loaded 0 sprites\n");
}

TEST(SpriteLoading, AddedSpritesTakeTheNextIndexAndFreeingEmptiesTheList)
{
    openTestWindow();
    TestFolder folder;
    writeQuadrants(folder.file("0.png"));
    writeQuadrants(folder.file("extra.png"));
    OutputCapture capture;
    SpriteManager manager(folder.path().c_str());
    EXPECT_EQ(manager.addSprite(folder.file("extra.png").c_str()), 1);
    EXPECT_EQ(manager.size(), 2);
    manager.freeSprites();
    EXPECT_EQ(manager.size(), 0);
    EXPECT_EQ(manager.getSprite(0), nullptr);
    EXPECT_EQ(manager.addSprite(folder.file("extra.png").c_str()), 0) << "the list fills again from 0";
}

TEST(SpriteLoading, ImageWithoutAlphaBecomesOpaque)
{
    openTestWindow();
    TestFolder folder;
    SDL_Surface* plain = SDL_CreateRGBSurface(0, 64, 64, 24, 0x0000FF, 0x00FF00, 0xFF0000, 0);
    SDL_FillRect(plain, NULL, SDL_MapRGB(plain->format, 0, 0, 255));
    SDL_SaveBMP(plain, folder.file("0.png").c_str()); // the loader goes by content, not name
    SDL_FreeSurface(plain);
    OutputCapture capture;
    SpriteManager manager(folder.path().c_str());
    ASSERT_EQ(manager.size(), 1);
    clearFrame();
    manager.drawSprite(0, 10, 10, 64, 64);
    EXPECT_EQ(colourAt(40, 40), 'B');
    EXPECT_EQ(pixelAt(40, 40).b, 255);
}

TEST(SpriteLoading, PathThatDoesNotFitTheBufferCountsAsMissing)
{
    openTestWindow();
    TestFolder folder;
    // "<directory>/9.png" is 199 characters and fits with its terminating zero; "/10.png" does not.
    const std::string directory = folder.path() + "/" + std::string(193 - folder.path().size() - 1, 'd');
    ASSERT_EQ((directory + "/9.png").size(), 199u);
    std::filesystem::create_directory(directory);
    for (int n = 0; n <= 10; ++n)
        writeSolid(directory + "/" + std::to_string(n) + ".png", kRed, 4);
    writeSolid(directory + "/10.pn", kRed, 4); // what a truncated path would name
    OutputCapture capture;
    SpriteManager manager(directory.c_str());
    EXPECT_EQ(manager.size(), 10);
    EXPECT_EQ(capture.out(), "Loaded 10 sprites\n");
    EXPECT_EQ(capture.err(), "Sorry, sprite " + directory + "/10.pn is missing\n");
}

TEST(SpriteLoading, OverlongDirectoryLoadsNothingAndNamesWhatFitted)
{
    const std::string directory(1000, 'x');
    OutputCapture capture;
    SpriteManager manager(directory.c_str());
    EXPECT_EQ(manager.size(), 0);
    EXPECT_EQ(capture.err(), "Sorry, sprite " + directory.substr(0, 199) + " is missing\n");
    EXPECT_EQ(capture.out(), "Loaded 0 sprites\n");
}

TEST_F(SpriteDrawing, UprightAtItsTopLeftCornerAndSize)
{
    manager->drawSprite(0, 100, 50, 64, 64);
    EXPECT_EQ(quadrantsAt(100, 50, 64, 64), "RGYB");
    EXPECT_EQ(colourAt(100, 50), 'R');
    EXPECT_EQ(colourAt(163, 113), 'Y');
    EXPECT_EQ(colourAt(99, 80), 'K');
    EXPECT_EQ(colourAt(164, 80), 'K');
    EXPECT_EQ(colourAt(130, 49), 'K');
    EXPECT_EQ(colourAt(130, 114), 'K');
}

TEST_F(SpriteDrawing, StretchesToTheRequestedBox)
{
    manager->drawSprite(0, 200, 300, 128, 32);
    EXPECT_EQ(quadrantsAt(200, 300, 128, 32), "RGYB");
    EXPECT_TRUE(isLit(pixelAt(327, 331))) << "the corner pixel, whatever filtering mixed into it";
    EXPECT_EQ(colourAt(328, 316), 'K');
    EXPECT_EQ(colourAt(260, 332), 'K');
}

TEST_F(SpriteDrawing, OddSizeLosesItsLastPixel)
{
    manager->drawSprite(2, 200, 200, 33, 33);
    EXPECT_EQ(colourAt(200, 200), 'G');
    EXPECT_EQ(colourAt(231, 231), 'G');
    EXPECT_EQ(colourAt(232, 210), 'K') << "33 wide draws 32 pixels";
    EXPECT_EQ(colourAt(210, 232), 'K');
}

TEST_F(SpriteDrawing, PositiveAnglesTurnCounterClockwise)
{
    manager->drawSprite(0, 100, 100, 64, 64, 90.0f);
    EXPECT_EQ(quadrantsAt(100, 100, 64, 64), "GYBR") << "the image's top edge is on the left";
    manager->drawSprite(0, 300, 100, 64, 64, -90.0f);
    EXPECT_EQ(quadrantsAt(300, 100, 64, 64), "BRGY");
    manager->drawSprite(0, 100, 300, 64, 64, 180.0f);
    EXPECT_EQ(quadrantsAt(100, 300, 64, 64), "YBRG") << "turned, not mirrored";
    manager->drawSprite(0, 300, 300, 64, 64, 360.0f);
    EXPECT_EQ(quadrantsAt(300, 300, 64, 64), "RGYB");
}

TEST_F(SpriteDrawing, TurnsAboutTheBoxCentre)
{
    manager->drawSprite(2, 400, 300, 64, 32, 90.0f);
    // The 64 x 32 box about (432, 316) stands 32 wide and 64 tall.
    EXPECT_EQ(colourAt(432, 286), 'G');
    EXPECT_EQ(colourAt(432, 345), 'G');
    EXPECT_EQ(colourAt(405, 316), 'K');
    EXPECT_EQ(colourAt(459, 316), 'K');
}

TEST_F(SpriteDrawing, AlphaIsKeptAndBlended)
{
    manager->drawSprite(1, 10, 10, 64, 64);
    const ScreenColour half = pixelAt(40, 40);
    EXPECT_NEAR(half.r, 128, 8);
    EXPECT_NEAR(half.g, 128, 8);
    GLint source = 0, destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
}

TEST_F(SpriteDrawing, CulledExactlyAtTheScreenBounds)
{
    EXPECT_TRUE(passesCulling(-64, 10, 64, 64)) << "wholly off the left edge but not culled";
    EXPECT_FALSE(passesCulling(-65, 10, 64, 64));
    EXPECT_TRUE(passesCulling(10, -64, 64, 64));
    EXPECT_FALSE(passesCulling(10, -65, 64, 64));
    EXPECT_TRUE(passesCulling(639, 10, 64, 64));
    EXPECT_FALSE(passesCulling(640, 10, 64, 64));
    EXPECT_TRUE(passesCulling(10, 479, 64, 64));
    EXPECT_FALSE(passesCulling(10, 480, 64, 64));

    clearFrame();
    manager->drawSprite(2, 639, 100, 64, 64);
    EXPECT_EQ(colourAt(639, 120), 'G');
    manager->drawSprite(2, 100, -63, 64, 64);
    EXPECT_EQ(colourAt(120, 0), 'G');
}

TEST_F(SpriteDrawing, UnsetScreenSizeCullsOnlyFarAway)
{
    manager->setScreenSize(100000, 100000);
    EXPECT_TRUE(passesCulling(5000, 5000, 64, 64));
    EXPECT_FALSE(passesCulling(100000, 0, 64, 64));
    EXPECT_FALSE(passesCulling(-65, 0, 64, 64));
}

TEST_F(SpriteDrawing, DoubleMinus1337PutsTheCornerAtTheScreenCentre)
{
    manager->drawSprite(0, -1337, -1337, 64, 64);
    EXPECT_EQ(quadrantsAt(320, 240, 64, 64), "RGYB");
    EXPECT_EQ(colourAt(319, 250), 'K');
    EXPECT_EQ(colourAt(330, 239), 'K');
    EXPECT_FALSE(passesCulling(-1337, 100, 64, 64)) << "one -1337 alone is a plain coordinate";
    EXPECT_FALSE(passesCulling(100, -1337, 64, 64));
    EXPECT_TRUE(passesCulling(-1337, 100, 1400, 64));
}

TEST_F(SpriteDrawing, DeadIndexSaysSoAndLeavesTheMatrixBalanced)
{
    GLint depthBefore = 0, depthAfter = 0;
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depthBefore);
    OutputCapture capture;
    manager->drawSprite(7, 10, 20, 64, 64);
    manager->drawSprite(-1, -1337, -1337, 64, 64, 45.0f);
    EXPECT_EQ(capture.errLines(), (std::vector<std::string>{
                                      "Requested sprite 7 is out of bounds",
                                      "FAIL) Requested dead sprite 7 to be drawn at (10,20)",
                                      "Requested sprite -1 is out of bounds",
                                      "FAIL) Requested dead sprite -1 to be drawn at (320,240)",
                                  }));
    EXPECT_EQ(capture.out(), "");
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &depthAfter);
    EXPECT_EQ(depthAfter, depthBefore);
    EXPECT_EQ(colourAt(40, 50), 'K');

    manager->drawSprite(0, 100, 50, 64, 64);
    EXPECT_EQ(quadrantsAt(100, 50, 64, 64), "RGYB") << "later draws land where they should";
}

TEST_F(SpriteDrawing, AfterFreeingEveryIndexIsDead)
{
    manager->freeSprites();
    OutputCapture capture;
    manager->drawSprite(0, 5, 6, 64, 64);
    EXPECT_EQ(capture.errLines(), (std::vector<std::string>{
                                      "Requested sprite 0 is out of bounds",
                                      "FAIL) Requested dead sprite 0 to be drawn at (5,6)",
                                  }));
    EXPECT_EQ(colourAt(20, 20), 'K');
}
