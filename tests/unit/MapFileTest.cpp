#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "Map.h"
#include "OutputCapture.h"
#include "TestFolder.h"

namespace {

std::string row(char cell)
{
    return std::string(MAP_COLUMNS, cell);
}

// Eleven data lines of one character each, joined with the given line break.
std::string uniformFile(char cell, const std::string& lineBreak = "\n")
{
    std::string text;
    for (int i = 0; i < MAP_ROWS; ++i)
        text += row(cell) + lineBreak;
    return text;
}

// A file in which every cell names a different tile from 0 to 62.
std::string countingFile()
{
    std::string text;
    for (int r = 0; r < MAP_ROWS; ++r) {
        for (int column = 0; column < MAP_COLUMNS; ++column)
            text += static_cast<char>('A' + (r * MAP_COLUMNS + column) % 63);
        text += "\n";
    }
    return text;
}

std::vector<int> cellsOf(Map& map)
{
    std::vector<int> cells;
    for (int r = 0; r < MAP_ROWS; ++r)
        for (int column = 0; column < MAP_COLUMNS; ++column)
            cells.push_back(map.getTileAt(column, r));
    return cells;
}

std::vector<int> rowOf(Map& map, int r)
{
    std::vector<int> cells;
    for (int column = 0; column < MAP_COLUMNS; ++column)
        cells.push_back(map.getTileAt(column, r));
    return cells;
}

std::vector<int> repeated(int tile, int count)
{
    return std::vector<int>(count, tile);
}

std::vector<int> joined(std::vector<int> head, const std::vector<int>& tail)
{
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

class MapFile : public ::testing::Test
{
protected:
    // Writes the text as a map file and loads it, keeping what the load printed.
    int load(const std::string& text)
    {
        folder.write("map.dat", text);
        return loadPath(folder.file("map.dat"));
    }

    int loadPath(const std::string& path)
    {
        return keepingOutput([&] { return map.loadMap(path.c_str()); });
    }

    int save(const std::string& path)
    {
        return keepingOutput([&] { return map.saveMap(path.c_str()); });
    }

    // Runs a map operation and keeps the lines it printed on each stream.
    template <typename Operation>
    int keepingOutput(Operation operation)
    {
        OutputCapture capture;
        const int result = operation();
        out = capture.outLines();
        err = capture.errLines();
        return result;
    }

    const std::vector<std::string> loaded = {"map loaded...."};
    const std::vector<std::string> none = {};
    TestFolder folder;
    Map map{};
    std::vector<std::string> out;
    std::vector<std::string> err;
};

} // namespace

TEST_F(MapFile, ElevenLinesOfAReadAsAnEmptyGridWithoutMessages)
{
    map.setTileAt(5, 5, 9);
    EXPECT_EQ(load(uniformFile('A')), 0);
    EXPECT_EQ(cellsOf(map), repeated(0, MAP_ROWS * MAP_COLUMNS));
    EXPECT_EQ(out, loaded);
    EXPECT_EQ(err, none);
}

TEST_F(MapFile, CharactersCountFromAAndLoadingResetsTheAnimation)
{
    map.updateTileAnimation(0.15f);
    map.updateTileAnimation(0.1f);
    ASSERT_EQ(map.getTileFrame(), 1);
    EXPECT_EQ(load(countingFile()), 0);
    EXPECT_EQ(map.getTileAt(1, 0), 1);
    EXPECT_EQ(map.getTileAt(19, 0), 19);
    EXPECT_EQ(map.getTileAt(2, 3), 62) << "character 127";
    EXPECT_EQ(map.getTileAt(3, 3), 0) << "wrapped back to A";
    EXPECT_EQ(map.getTileFrame(), 0);
    map.updateTileAnimation(0.1f);
    EXPECT_EQ(map.getTileFrame(), 0) << "the gathered 0.1 s was dropped by the load";
    EXPECT_EQ(err, none);

    load(std::string("h") + uniformFile('A').substr(1));
    EXPECT_EQ(map.getTileAt(0, 0), 39);
    EXPECT_FALSE(map.isSolidTile(0, 0));
}

TEST_F(MapFile, CommentLinesAreSkippedAndDoNotCountAsRows)
{
    load(countingFile());
    const std::vector<int> expected = cellsOf(map);

    const std::string rows = countingFile();
    const size_t rowFive = 5 * (MAP_COLUMNS + 1);
    const std::string text = "##top\n##\n" + rows.substr(0, rowFive) +
                             "## between rows 4 and 5, well beyond 21 characters\n" + rows.substr(rowFive);
    EXPECT_EQ(load(text), 0);
    EXPECT_EQ(cellsOf(map), expected);
    EXPECT_EQ(err, none);
    EXPECT_EQ(out, loaded);
}

TEST_F(MapFile, ASingleNumberSignStartsADataLine)
{
    EXPECT_EQ(load("#" + std::string(19, 'B') + "\n" + uniformFile('C')), 0);
    EXPECT_EQ(rowOf(map, 0), joined({0}, repeated(1, 19)));
    EXPECT_EQ(rowOf(map, 1), repeated(2, MAP_COLUMNS));
    EXPECT_EQ(err, std::vector<std::string>{"negative tile at 0,0"});
    EXPECT_EQ(out, loaded);
}

TEST_F(MapFile, CharactersBelowAAndBytesAbove127ReadAsEmptyWithAMessage)
{
    std::string text = uniformFile('B');
    text[3] = '@';
    text[(MAP_COLUMNS + 1) * 2 + 7] = '\x80';
    text[(MAP_COLUMNS + 1) * 10 + 19] = '\xff';
    EXPECT_EQ(load(text), 0);
    EXPECT_EQ(map.getTileAt(3, 0), 0);
    EXPECT_EQ(map.getTileAt(7, 2), 0);
    EXPECT_EQ(map.getTileAt(19, 10), 0);
    EXPECT_EQ(map.getTileAt(4, 0), 1);
    const std::vector<std::string> messages = {"negative tile at 3,0", "negative tile at 7,2",
                                               "negative tile at 19,10"};
    EXPECT_EQ(err, messages);
    EXPECT_EQ(out, loaded);
}

TEST_F(MapFile, CarriageReturnsBeforeLineFeedsAreNotPartOfTheLine)
{
    load(countingFile());
    const std::vector<int> expected = cellsOf(map);
    std::string crlf;
    for (char c : countingFile())
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    crlf.insert(0, "##\r\n");
    EXPECT_EQ(load(crlf), 0);
    EXPECT_EQ(cellsOf(map), expected);
    EXPECT_EQ(err, none);

    EXPECT_EQ(load("BBBBB\r\n" + uniformFile('C', "\r\n")), 0);
    EXPECT_EQ(err, std::vector<std::string>{"negative tile at 5,0"}) << "the short line ends before its CR";
}

TEST_F(MapFile, TheTwentyFirstCharacterIsIgnored)
{
    EXPECT_EQ(load(row('B') + "C\n" + uniformFile('D')), 0);
    EXPECT_EQ(rowOf(map, 0), repeated(1, MAP_COLUMNS));
    EXPECT_EQ(rowOf(map, 1), repeated(3, MAP_COLUMNS));
    EXPECT_EQ(rowOf(map, 10), repeated(3, MAP_COLUMNS));
    EXPECT_EQ(err, none);
}

TEST_F(MapFile, AnOverlongLineKeepsItsFirstTwentyCellsAndTheNextLineReadsNormally)
{
    const std::string overlong = row('B') + std::string(40, 'Z') + "\n";
    EXPECT_EQ(load(overlong + overlong + uniformFile('D').substr(2 * (MAP_COLUMNS + 1))), 0);
    EXPECT_EQ(rowOf(map, 0), repeated(1, MAP_COLUMNS));
    EXPECT_EQ(rowOf(map, 1), repeated(1, MAP_COLUMNS));
    EXPECT_EQ(rowOf(map, 2), repeated(3, MAP_COLUMNS));
    EXPECT_EQ(rowOf(map, 10), repeated(3, MAP_COLUMNS));
    EXPECT_EQ(err, none);
    EXPECT_EQ(out, loaded);
}

TEST_F(MapFile, CellsPastTheEndOfAShortLineAreEmpty)
{
    // A full line first, so that a reader reusing its buffer would show it again.
    const std::string text = row('C') + "\nBBBBB\n\n" + uniformFile('D').substr(3 * (MAP_COLUMNS + 1));
    EXPECT_EQ(load(text), 0);
    EXPECT_EQ(rowOf(map, 0), repeated(2, MAP_COLUMNS));
    EXPECT_EQ(rowOf(map, 1), joined(repeated(1, 5), repeated(0, 15)));
    EXPECT_EQ(rowOf(map, 2), repeated(0, MAP_COLUMNS));
    EXPECT_EQ(rowOf(map, 3), repeated(3, MAP_COLUMNS));
    const std::vector<std::string> messages = {"negative tile at 5,1", "negative tile at 0,2"};
    EXPECT_EQ(err, messages);
    EXPECT_EQ(out, loaded);
}

TEST_F(MapFile, MissingRowsAtTheEndReadAsEmptyLines)
{
    std::string tenRows = uniformFile('B').substr(MAP_COLUMNS + 1);
    tenRows.pop_back(); // the last line break may be missing
    EXPECT_EQ(load(tenRows), 0);
    EXPECT_EQ(rowOf(map, 9), repeated(1, MAP_COLUMNS));
    EXPECT_EQ(rowOf(map, 10), repeated(0, MAP_COLUMNS));
    EXPECT_EQ(err, std::vector<std::string>{"negative tile at 0,10"});

    map.setTileAt(3, 3, 7);
    EXPECT_EQ(load(""), 0);
    EXPECT_EQ(cellsOf(map), repeated(0, MAP_ROWS * MAP_COLUMNS));
    ASSERT_EQ(err.size(), 11u);
    EXPECT_EQ(err.front(), "negative tile at 0,0");
    EXPECT_EQ(err.back(), "negative tile at 0,10");
    EXPECT_EQ(out, loaded);
}

TEST_F(MapFile, AMissingOrUnreadableFileLeavesTheMapAndItsAnimationAloneAndSaysWhy)
{
    map.setTileAt(2, 2, 7);
    map.updateTileAnimation(0.15f);
    const std::string missing = folder.file("nothing.dat");
    // Reading this regular file fails at its first byte, as a failing disk does.
    const std::string failing = "/proc/self/mem";
    const std::pair<std::string, std::string> cases[] = {
        {missing, "map file " + missing + " is missing"},
        {failing, "map file " + failing + " could not be read: Input/output error"},
    };
    for (const auto& [path, message] : cases) {
        EXPECT_EQ(loadPath(path), -1) << path;
        EXPECT_EQ(err, std::vector<std::string>{message});
        EXPECT_EQ(out, none);
        EXPECT_EQ(map.getTileAt(2, 2), 7);
        EXPECT_EQ(map.getTileFrame(), 1);
    }
}

TEST_F(MapFile, SavingAndLoadingKeepsTileNumbersZeroTo62)
{
    load("##comment\n" + countingFile());
    const std::vector<int> expected = cellsOf(map);
    EXPECT_EQ(save(folder.file("saved.dat")), 0);
    EXPECT_EQ(out, std::vector<std::string>{"Written. closing"});
    EXPECT_EQ(err, none);
    EXPECT_EQ(folder.read("saved.dat"), countingFile()) << "no comment lines, nothing else";

    Map copy{};
    OutputCapture quiet;
    EXPECT_EQ(copy.loadMap(folder.file("saved.dat").c_str()), 0);
    EXPECT_EQ(cellsOf(copy), expected);
}

TEST_F(MapFile, SavingKeepsTheLowestEightBitsOfEachCode)
{
    map.setTileAt(0, 0, -1);
    map.setTileAt(1, 0, 63);
    map.setTileAt(2, 0, 256);
    map.setTileAt(3, 0, INT_MAX);
    EXPECT_EQ(save(folder.file("odd.dat")), 0);
    const std::string text = folder.read("odd.dat");
    ASSERT_EQ(text.size(), static_cast<size_t>(MAP_ROWS * (MAP_COLUMNS + 1)));
    EXPECT_EQ(text.substr(0, 4), std::string("@\x80" "A@"));

    EXPECT_EQ(loadPath(folder.file("odd.dat")), 0);
    EXPECT_EQ(map.getTileAt(2, 0), 0);
    const std::vector<std::string> messages = {"negative tile at 0,0", "negative tile at 1,0",
                                               "negative tile at 3,0"};
    EXPECT_EQ(err, messages);
}

TEST_F(MapFile, ASaveThatCannotBeWrittenFailsWithAMessage)
{
    const std::string inMissingFolder = folder.file("no/such/folder/map.dat");
    EXPECT_EQ(save(inMissingFolder), -1);
    EXPECT_EQ(err, std::vector<std::string>{"map file " + inMissingFolder + " could not be written"});
    EXPECT_EQ(out, none);

    EXPECT_EQ(save("/dev/full"), -1) << "opens, but every write fails";
    EXPECT_EQ(err, std::vector<std::string>{"map file /dev/full could not be written"});
    EXPECT_EQ(out, none);
}
