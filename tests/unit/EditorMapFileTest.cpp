#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "Map.h"
#include "MapFile.h"
#include "TestFolder.h"

namespace {

// Eleven rows of twenty cells, each row its own tile, as the engine writes them.
std::string cleanRows(const std::string& lineEnd = "\n")
{
    std::string text;
    for (int row = 0; row < MAP_ROWS; ++row)
        text += std::string(MAP_COLUMNS, static_cast<char>('B' + row)) + lineEnd;
    return text;
}

std::string withCell(std::string text, size_t offset, char code)
{
    text[offset] = code;
    return text;
}

struct FileCase
{
    const char* shape;
    std::string bytes;
    StatusKind opened;
    bool keptAsBackup;
    std::string saved;
};

} // namespace

TEST(EditorMapFile, KeepsTheOriginalBeforeTheFirstSaveWouldLoseAnythingOfIt)
{
    const size_t row4Column2 = 4 * (MAP_COLUMNS + 1) + 2;
    const std::vector<FileCase> cases = {
        {"as the writer writes it", cleanRows(), StatusKind::Info, false, cleanRows()},
        {"comment lines", "## hills\n" + cleanRows(), StatusKind::Info, true, cleanRows()},
        {"carriage returns", cleanRows("\r\n"), StatusKind::Info, true, cleanRows()},
        {"text after the last row", cleanRows() + "notes\n", StatusKind::Info, true, cleanRows()},
        {"a damaged cell", withCell(cleanRows(), row4Column2, '@'), StatusKind::Error, true,
         withCell(cleanRows(), row4Column2, 'A')},
    };
    for (const FileCase& test : cases) {
        SCOPED_TRACE(test.shape);
        TestFolder folder;
        folder.write("map.dat", test.bytes);
        Map map{};
        MapFile file(folder.file("map.dat"));
        EXPECT_EQ(file.load(map).kind, test.opened);

        const Status saved = file.save(map);
        EXPECT_EQ(saved.kind, StatusKind::Saved) << saved.text;
        EXPECT_EQ(saved.text.find("map.dat~") != std::string::npos, test.keptAsBackup) << saved.text;
        EXPECT_EQ(folder.read("map.dat"), test.saved);
        EXPECT_EQ(std::filesystem::exists(folder.file("map.dat~")), test.keptAsBackup);
        if (test.keptAsBackup) {
            EXPECT_EQ(folder.read("map.dat~"), test.bytes);
            file.save(map);
            EXPECT_EQ(folder.read("map.dat~"), test.bytes) << "a second save keeps the original's copy";
        }
    }
}
