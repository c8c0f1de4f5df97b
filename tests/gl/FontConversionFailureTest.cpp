#include <gtest/gtest.h>

#include <dlfcn.h>

#include "SDL.h"

#include "GlTestSupport.h"
#include "OutputCapture.h"
#include "VeskBitmapFont.h"

namespace {

bool failRgbaSurfaces = false;

} // namespace

// Stands in for SDL's own so the test can refuse the RGBA conversion surface, as
// SDL does when memory runs out; every other surface is made by SDL as usual.
extern "C" SDL_Surface* SDL_CreateRGBSurface(Uint32 flags, int width, int height, int depth, Uint32 red,
                                             Uint32 green, Uint32 blue, Uint32 alpha)
{
    using Create = SDL_Surface* (*)(Uint32, int, int, int, Uint32, Uint32, Uint32, Uint32);
    static const Create real = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "SDL_CreateRGBSurface"));
    if (failRgbaSurfaces && red == 0x000000FF && alpha == 0xFF000000)
        return NULL;
    return real(flags, width, height, depth, red, green, blue, alpha);
}

TEST(FontConversionFailure, NothingIsUploadedOrDrawnAndTheFontIsNotReady)
{
    openTestWindow();
    clearFrame();
    const std::string image = std::string(GRUBNOSH_SOURCE_DIR) + "/data/bitfont.tga";
    const std::string definition = std::string(GRUBNOSH_SOURCE_DIR) + "/data/bitfont.fnt";

    failRgbaSurfaces = true;
    OutputCapture log;
    VeskBitmapFont font(image.c_str(), definition.c_str());
    font.print("SCORE: 1", 0, 0);
    failRgbaSurfaces = false;

    EXPECT_FALSE(font.isReady());
    EXPECT_EQ(log.outLines().size(), 1u) << "the definition is not read";
    EXPECT_EQ(log.errLines(),
              (std::vector<std::string>{"FAIL) Conversion surface for " + image +
                                            " couldn't be created. Likely cause: out of RAM",
                                        "FAIL) Bitmap font bitmap file " + image + " not found or unusable",
                                        "FAIL) This font isn't ready to print to. Didn't complete construction"}));
    EXPECT_FALSE(isLit(pixelAt(2, 8)));
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0) << "no texture was bound for an upload";
}

TEST(FontConversionFailure, TheSameFontLoadsWhenTheSurfaceCanBeMade)
{
    openTestWindow();
    const std::string data = std::string(GRUBNOSH_SOURCE_DIR) + "/data/";
    OutputCapture log;
    VeskBitmapFont font((data + "bitfont.tga").c_str(), (data + "bitfont.fnt").c_str());
    EXPECT_EQ(log.err(), "");
    EXPECT_TRUE(font.isReady());
}
