#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ID3v1.h"
#include "Map.h"
#include "OutputCapture.h"
#include "SpriteManager.h"
#include "TestFolder.h"
#include "VeskBitmapFont.h"

// A folder opens like a file on Linux but holds nothing to read, a FIFO makes
// a naive reader wait for ever, and a device is no file of ours: every reader
// must take each of them for a missing file, at once.
TEST(NotARegularFile, EveryReaderCallsItMissingAndFailsAtOnce)
{
    TestFolder folder;
    std::unique_ptr<VeskBitmapFont> font;
    std::unique_ptr<SpriteManager> sprites;
    {
        OutputCapture quiet;
        font = std::make_unique<VeskBitmapFont>("", "");
        sprites = std::make_unique<SpriteManager>(folder.file("none").c_str());
    }
    Map map{};
    map.setTileAt(3, 4, 9);
    std::string path;

    struct Reader
    {
        const char* name;
        std::function<bool()> succeeds;
        std::string errorBefore, errorAfter; // around the path
    };
    const Reader readers[] = {
        {"map", [&] { return map.loadMap(path.c_str()) == 0; }, "map file ", " is missing"},
        {"font definition", [&] { return font->loadDefinition(path.c_str()) == 0; }, "[", "] wasn't found"},
        {"font image", [&] { return font->loadBitmap(path.c_str()) == 0; }, "FAIL) Image file ", " not found"},
        {"sprite", [&] { return sprites->addSprite(path.c_str()) >= 0; }, "Sorry, sprite ", " is missing"},
        {"tags", [&] { return std::unique_ptr<id3v1tags>(getV1Tags(path.c_str())) != nullptr; },
         "Can't open ", ""},
    };
    for (const std::string& notAFile : {folder.path(), folder.fifo("fifo"), std::string("/dev/zero")}) {
        path = notAFile;
        for (const Reader& reader : readers) {
            OutputCapture log;
            EXPECT_FALSE(reader.succeeds()) << reader.name << " of " << path;
            const std::string error = reader.errorBefore + path + reader.errorAfter;
            EXPECT_EQ(log.errLines(), std::vector<std::string>{error}) << reader.name;
            EXPECT_EQ(log.out(), "") << reader.name << " of " << path;
        }
    }
    EXPECT_EQ(map.getTileAt(3, 4), 9);
}
