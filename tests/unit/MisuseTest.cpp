#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "MusicManager.h"
#include "OutputCapture.h"
#include "RegularFile.h"
#include "SoundEffectManager.h"
#include "SpriteManager.h"
#include "TileSet.h"
#include "VeskBitmapFont.h"

namespace {

// An owner frees what it holds when it goes: a copy would free it a second time.
template <typename Owner>
constexpr bool cannotBeCopied = !std::is_copy_constructible_v<Owner> && !std::is_copy_assignable_v<Owner>;

static_assert(cannotBeCopied<SpriteManager>, "a copied SpriteManager would free its texture names twice");
static_assert(cannotBeCopied<VeskBitmapFont>, "a copied VeskBitmapFont would free its pages twice");
static_assert(cannotBeCopied<SoundEffectManager>, "a SoundEffectManager owns its chunks");
static_assert(cannotBeCopied<MusicManager>, "a copied MusicManager would free its tracks twice");
static_assert(cannotBeCopied<TileSet>, "a copied TileSet would free its pictures twice");
static_assert(cannotBeCopied<RegularFileBuffer>, "a copied RegularFileBuffer would close its file twice");

const std::string kData = std::string(GRUBNOSH_SOURCE_DIR) + "/data/";

// Made from real content with no window open, then used as a program would.
struct BeforeTheWindow
{
    const char* name;
    std::function<bool()> buildAndUse; // true when the object came out empty
    std::vector<std::string> errLines;
};

} // namespace

TEST(Misuse, ObjectsMadeBeforeTheWindowSaySoOnceAndStayEmpty)
{
    const std::string image = kData + "bitfont.tga";
    const std::string definition = kData + "bitfont.fnt";
    const BeforeTheWindow cases[] = {
        {"sprite manager",
         [] {
             SpriteManager first((kData + "sprites").c_str());
             SpriteManager second((kData + "tiles").c_str());
             first.drawSprite(0, 10, 10, 64, 64);
             return first.size() == 0 && second.size() == 0;
         },
         {"FAIL) SpriteManager created before the window: call TQ_initSDL and TQ_initGL first",
          "Requested sprite 0 is out of bounds", "FAIL) Requested dead sprite 0 to be drawn at (10,10)"}},
        {"font",
         [&] {
             VeskBitmapFont font(image.c_str(), definition.c_str());
             font.print("text", 0, 0);
             return !font.isReady();
         },
         {"FAIL) VeskBitmapFont created before the window: call TQ_initSDL and TQ_initGL first",
          "FAIL) Bitmap font bitmap file " + image + " not found or unusable",
          "FAIL) This font isn't ready to print to. Didn't complete construction"}},
    };
    for (const BeforeTheWindow& c : cases) {
        OutputCapture log;
        EXPECT_TRUE(c.buildAndUse()) << c.name;
        EXPECT_EQ(log.errLines(), c.errLines) << c.name;
    }
}
