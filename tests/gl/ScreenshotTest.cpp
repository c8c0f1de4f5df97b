#include <gtest/gtest.h>

#include <unistd.h>

#include "BmpFile.h"
#include "CGame.h"
#include "GameSuite.h"
#include "GlTestSupport.h"
#include "OutputCapture.h"
#include "Platform.h"
#include "TestFolder.h"

using Screenshot = GameSuite;

// One test, because it changes the window under the game and then takes video away.
TEST_F(Screenshot, FollowsTheVideoSurfaceSizeAndNeedsOne)
{
    WorkingDirectory inFolder(folder->path());

    // 322 pixels make rows of 966 bytes, which OpenGL pads to 968 when reading.
    ASSERT_NE(SDL_SetVideoMode(322, 202, 0, SDL_OPENGL), nullptr);
    TQ_initGL(322, 202);
    glViewport(0, 0, 322, 202);
    TQ_clearScreen();
    fillBox(0, 0, 322, 1, 1, 0, 0);
    fillBox(321, 1, 322, 201, 0, 1, 0);
    fillBox(0, 201, 322, 202, 0, 0, 1);
    game->takeScreenshot("small.bmp");

    BmpFile shot("small.bmp");
    ASSERT_TRUE(shot.valid);
    EXPECT_EQ(shot.width, 322);
    EXPECT_EQ(shot.height, 202);
    for (int y : {1, 100, 200}) {
        EXPECT_EQ(shot.at(321, y).g, 255) << y;
        EXPECT_EQ(shot.at(320, y).g, 0) << y;
    }
    EXPECT_EQ(shot.at(0, 0).r, 255);
    EXPECT_EQ(shot.at(0, 201).b, 255);

    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    OutputCapture capture;
    game->takeScreenshot("none.bmp");
    EXPECT_EQ(capture.out(), "Couldn't create rgbsurface\n");
    EXPECT_NE(access("none.bmp", F_OK), 0);
}
