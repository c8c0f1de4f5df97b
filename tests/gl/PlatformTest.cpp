#include <gtest/gtest.h>

#include "GlTestSupport.h"
#include "Platform.h"
#include "SDL_mixer.h"

TEST(Platform, WindowIs640By480WithTheEngineCaption)
{
    openTestWindow();
    SDL_Surface* screen = SDL_GetVideoSurface();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->w, 640);
    EXPECT_EQ(screen->h, 480);
    EXPECT_TRUE(screen->flags & SDL_OPENGL);
    char* title = NULL;
    SDL_WM_GetCaption(&title, NULL);
    EXPECT_STREQ(title, "Torvane Quillet");
    const ShownWindow shown = shownWindow();
    EXPECT_EQ(shown.title, "Torvane Quillet");
    EXPECT_EQ(shown.width, 640);
    EXPECT_EQ(shown.height, 480);
    TQ_setWindowTitle("Grubnosh");
    SDL_WM_GetCaption(&title, NULL);
    EXPECT_STREQ(title, "Grubnosh");
    EXPECT_EQ(shownWindow().title, "Grubnosh");
}

TEST(Platform, GlStateIsTwoDimensionalWithOriginTopLeft)
{
    openTestWindow();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    EXPECT_NE(TQ_getExtensions(), nullptr);

    clearFrame();
    glDisable(GL_TEXTURE_2D);
    glColor3f(1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(10, 0);
    glVertex2f(10, 10);
    glVertex2f(0, 10);
    glEnd();
    glEnable(GL_TEXTURE_2D);
    EXPECT_TRUE(isLit(pixelAt(0, 0)));
    EXPECT_TRUE(isLit(pixelAt(9, 9)));
    EXPECT_FALSE(isLit(pixelAt(10, 10)));
    EXPECT_FALSE(isLit(pixelAt(0, 479)));
    EXPECT_FALSE(isLit(pixelAt(639, 0)));
}

TEST(Platform, ClearScreenClearsToBlack)
{
    openTestWindow();
    glClearColor(1, 1, 1, 1);
    TQ_clearScreen();
    EXPECT_TRUE(isLit(pixelAt(320, 240)));
    TQ_initGL(640, 480);
    TQ_clearScreen();
    EXPECT_FALSE(isLit(pixelAt(320, 240)));
}

TEST(Platform, NewDeltaMeasuresFromThePreviousCall)
{
    openTestWindow();
    TQ_getNewDelta();
    SDL_Delay(120);
    const float delta = TQ_getNewDelta();
    // SDL's delay and its tick count round apart: a millisecond may go either way.
    EXPECT_GE(delta, 0.119f);
    EXPECT_LT(delta, 1.0f);
    EXPECT_EQ(delta, TQ_OldDelta);
    EXPECT_LE(TQ_OldStart, TQ_getTicks());
}

TEST(Platform, MixerOpensWithTheRequestedFormat)
{
    openTestWindow();
    ASSERT_EQ(TQ_initMixer(22050, 4), 0);
    int frequency = 0;
    Uint16 format = 0;
    int channels = 0;
    ASSERT_TRUE(Mix_QuerySpec(&frequency, &format, &channels));
    EXPECT_EQ(format, AUDIO_S16LSB);
}
