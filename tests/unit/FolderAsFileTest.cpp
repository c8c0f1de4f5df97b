#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "ID3v1.h"
#include "Map.h"
#include "OutputCapture.h"
#include "SpriteManager.h"
#include "TestFolder.h"
#include "VeskBitmapFont.h"

// A folder opens like a file on Linux but holds nothing to read: every reader
// must take it for a missing file, not for an empty one.
TEST(FolderAsFile, EveryReaderCallsItMissingAndFails)
{
    TestFolder folder;
    const std::string path = folder.path();
    std::unique_ptr<VeskBitmapFont> font;
    std::unique_ptr<SpriteManager> sprites;
    {
        OutputCapture quiet;
        font = std::make_unique<VeskBitmapFont>("", "");
        sprites = std::make_unique<SpriteManager>(folder.file("none").c_str());
    }
    Map map{};
    map.setTileAt(3, 4, 9);

    struct Reader
    {
        const char* name;
        std::function<bool()> succeeds;
        std::string error;
    };
    const Reader readers[] = {
        {"map", [&] { return map.loadMap(path.c_str()) == 0; }, "map file " + path + " is missing"},
        {"font definition", [&] { return font->loadDefinition(path.c_str()) == 0; }, "[" + path + "] wasn't found"},
        {"font image", [&] { return font->loadBitmap(path.c_str()) == 0; }, "FAIL) Image file " + path + " not found"},
        {"sprite", [&] { return sprites->addSprite(path.c_str()) >= 0; }, "Sorry, sprite " + path + " is missing"},
        {"tags", [&] { return std::unique_ptr<id3v1tags>(getV1Tags(path.c_str())) != nullptr; },
         "Can't open " + path},
    };
    for (const Reader& reader : readers) {
        OutputCapture log;
        EXPECT_FALSE(reader.succeeds()) << reader.name;
        EXPECT_EQ(log.errLines(), std::vector<std::string>{reader.error}) << reader.name;
        EXPECT_EQ(log.out(), "") << reader.name;
    }
    EXPECT_EQ(map.getTileAt(3, 4), 9);
}
