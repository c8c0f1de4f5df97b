#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "GlTestSupport.h"
#include "OutputCapture.h"
#include "SoundEffectManager.h"
#include "SpriteManager.h"
#include "TestFolder.h"
#include "TorvaneApp.h"
#include "VeskBitmapFont.h"

namespace {

const SDLKey kOtherKey = SDLK_a;

SDL_Event keyEvent(Uint8 type, SDLKey key)
{
    SDL_Event event = {};
    event.type = type;
    event.key.type = type;
    event.key.keysym.sym = key;
    return event;
}

SDL_Event quitEvent()
{
    SDL_Event event = {};
    event.type = SDL_QUIT;
    return event;
}

// What a run of TQ_run did with the events waiting for it.
struct RunResult
{
    int frames = 0;
    int otherKeysSeen = 0; // events of kOtherKey that reached the handler
    int escapesSeen = 0;   // Escape presses that reached the handler
    int quitQuestions = 0;
};

// Starts from an empty queue, pushes the events, and runs until the loop ends;
// the frame function ends it by itself after frameLimit frames.
RunResult runWith(const std::vector<SDL_Event>& events, int frameLimit, const char* guard)
{
    openTestWindow();
    SDL_Event stale;
    while (SDL_PollEvent(&stale)) {
    }
    for (SDL_Event event : events)
        SDL_PushEvent(&event);
    RunResult result;
    const std::string answer = guard;
    TQ_QuitFunction mayQuit;
    if (answer != "none")
        mayQuit = [&] { return ++result.quitQuestions, answer == "yes"; };
    TQ_run([&](float) { return ++result.frames < frameLimit; },
           [&](const SDL_Event& event) {
               const bool key = event.type == SDL_KEYDOWN || event.type == SDL_KEYUP;
               result.otherKeysSeen += key && event.key.keysym.sym == kOtherKey;
               result.escapesSeen += key && event.key.keysym.sym == SDLK_ESCAPE;
           },
           mayQuit);
    return result;
}

} // namespace

TEST(App, EscapeAndClosingEndTheLoopUnlessTheProgramSaysNoAndOtherEventsReachIt)
{
    const SDL_Event other = keyEvent(SDL_KEYDOWN, kOtherKey), otherUp = keyEvent(SDL_KEYUP, kOtherKey);
    const SDL_Event escape = keyEvent(SDL_KEYDOWN, SDLK_ESCAPE), escapeUp = keyEvent(SDL_KEYUP, SDLK_ESCAPE);
    const struct
    {
        const char* name;
        std::vector<SDL_Event> events;
        const char* guard; // none, yes or no: whether TQ_run is asked before quitting, and the answer
        int frames;
        int otherKeysSeen;
        int escapesSeen;
        int quitQuestions;
    } cases[] = {
        {"Escape ends it before a frame", {other, escape, otherUp}, "none", 0, 1, 0, 0},
        {"closing the window ends it", {quitEvent()}, "none", 0, 0, 0, 0},
        {"the frame function ends it", {other, otherUp, escapeUp}, "none", 3, 2, 1, 0},
        {"a program that agrees to quit", {escape}, "yes", 0, 0, 0, 1},
        {"a program that says no to Escape and closing", {escape, quitEvent(), other}, "no", 3, 1, 0, 2},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        const RunResult result = runWith(test.events, 3, test.guard);
        EXPECT_EQ(result.frames, test.frames);
        EXPECT_EQ(result.otherKeysSeen, test.otherKeysSeen);
        EXPECT_EQ(result.escapesSeen, test.escapesSeen) << "only the release of Escape is an ordinary event";
        EXPECT_EQ(result.quitQuestions, test.quitQuestions);
    }
}

TEST(App, EachFrameStartsClearedAndAStallCountsAsTheLongestFrame)
{
    openTestWindow();
    TQ_getNewDelta();
    SDL_Delay(300); // a start-up that takes long
    TQ_setClearColour({1.0f, 0.0f, 0.0f, 1.0f});
    std::vector<float> seconds;
    std::vector<ScreenColour> cleared;
    TQ_run([&](float frameTime) {
        seconds.push_back(frameTime);
        cleared.push_back(pixelAt(320, 240));
        TQ_fillRect(0, 0, 640, 480, {0.0f, 0.0f, 1.0f, 1.0f}); // the next frame must clear it again
        return seconds.size() < 2;
    });
    TQ_setClearColour({0.0f, 0.0f, 0.0f, 0.0f});
    ASSERT_EQ(seconds.size(), 2u);
    EXPECT_EQ(seconds[0], TQ_LONGEST_FRAME);
    EXPECT_GE(seconds[1], TQ_FRAME_REST / 1000.0f) << "the rest after a frame belongs to the next";
    EXPECT_LE(seconds[1], TQ_LONGEST_FRAME);
    for (const ScreenColour& pixel : cleared)
        EXPECT_TRUE(isNear(pixel, {255, 0, 0})) << describe(pixel);
}

TEST(App, FillRectBlendsItsColourAndLeavesTheStateForTheEngine)
{
    openTestWindow();
    clearFrame();
    TQ_fillRect(10, 20, 30, 40, {0.0f, 0.0f, 1.0f, 0.5f});
    EXPECT_TRUE(isNear(pixelAt(10, 20), {0, 0, 128}, 3)) << describe(pixelAt(10, 20));
    EXPECT_TRUE(isNear(pixelAt(39, 59), {0, 0, 128}, 3)) << describe(pixelAt(39, 59));
    EXPECT_FALSE(isLit(pixelAt(40, 59)));
    EXPECT_FALSE(isLit(pixelAt(39, 60)));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLfloat colour[4] = {0, 0, 0, 0};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(std::vector<GLfloat>(colour, colour + 4), std::vector<GLfloat>({1.0f, 1.0f, 1.0f, 1.0f}));
}

TEST(App, TheFontComesFromTheWorkingFolderOrTheKitOrSaysWhereItLooked)
{
    openTestWindow();
    TestFolder elsewhere;
    WorkingDirectory inside(elsewhere.path());
    {
        OutputCapture capture;
        EXPECT_EQ(TQ_loadFont(), nullptr);
        EXPECT_EQ(capture.errLines(),
                  std::vector<std::string>{"FAIL) No font: data/bitfont.tga and .fnt are not in the working folder"});
    }
    // A kit installed here: its headers in include/torvane, its font in share/torvane.
    const std::string header = elsewhere.file("include/torvane/TorvaneApp.h");
    {
        OutputCapture capture;
        EXPECT_EQ(TQ_loadFont(header.c_str()), nullptr);
        EXPECT_EQ(capture.errLines(), std::vector<std::string>{"FAIL) No font: data/bitfont.tga and .fnt are not in the "
                                                               "working folder, nor in the kit at " +
                                                               elsewhere.file("share/torvane/bitfont")});
    }
    std::filesystem::create_directories(elsewhere.file("share/torvane"));
    for (const char* suffix : {".tga", ".fnt"})
        std::filesystem::copy_file(std::string(GRUBNOSH_SOURCE_DIR) + "/data/bitfont" + suffix,
                                   elsewhere.file(std::string("share/torvane/bitfont") + suffix));
    OutputCapture capture;
    const std::unique_ptr<VeskBitmapFont> font = TQ_loadFont(header.c_str());
    ASSERT_NE(font, nullptr) << capture.err();
    EXPECT_TRUE(font->isReady());
    EXPECT_NE(capture.out().find("family: " + elsewhere.file("share/torvane/bitfont")), std::string::npos)
        << capture.out();
}

// Progress lines go quiet on request; failures, on either stream, still print.
TEST(App, SilencedInfoLinesLeaveEveryFailurePrinting)
{
    openTestWindow();
    TestFolder folder;
    writeStandInSprites(folder.path());
    std::vector<std::string> out[2], err[2];
    for (const bool shown : {false, true}) {
        TQ_setInfoLines(shown);
        OutputCapture capture;
        SpriteManager sprites(folder.path().c_str());
        SoundEffectManager(folder.file("sounds").c_str()).playSample(0); // a failure on standard output
        out[shown] = capture.outLines();
        err[shown] = capture.errLines();
    }
    EXPECT_EQ(out[0], std::vector<std::string>{"Sample 0 is out of bounds"});
    EXPECT_EQ(out[1], std::vector<std::string>({"Loaded 6 sprites", "Sample 0 is out of bounds"}));
    EXPECT_EQ(err[0], err[1]);
    EXPECT_FALSE(err[0].empty());
}
