#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "GameProcess.h"
#include "Map.h"
#include "TestFolder.h"

namespace {

const int kLeftButton = 1;
const int kRightButton = 3;
const int kWheelDown = 5;
const char* const kTitle = "Grubnosh map editor";
const std::string kMap = "maps/map.dat";
// The editor opens on the game's first view unless told otherwise: map pixel 30 at the left edge.
const int kGameViewLeft = 30;
// What the editor draws for a tile without a picture, over the black background.
const ScreenColour kPlaceholder = {115, 26, 115};

struct Cell
{
    int column;
    int row;
};

using Grid = std::array<std::array<int, MAP_COLUMNS>, MAP_ROWS>;

Grid gridOf(const std::string& path)
{
    Map map{};
    EXPECT_EQ(map.loadMap(path.c_str()), 0) << path;
    Grid grid;
    for (int row = 0; row < MAP_ROWS; ++row)
        for (int column = 0; column < MAP_COLUMNS; ++column)
            grid[row][column] = map.getTileAt(column, row);
    return grid;
}

void expectSameGrid(const Grid& saved, const Grid& expected)
{
    for (int row = 0; row < MAP_ROWS; ++row)
        for (int column = 0; column < MAP_COLUMNS; ++column)
            EXPECT_EQ(saved[row][column], expected[row][column]) << "cell " << column << "," << row;
}

ProgramStart editorWith(const std::vector<std::string>& arguments)
{
    ProgramStart start;
    start.binary = GRUBNOSH_EDITOR_BINARY;
    start.caption = kTitle;
    start.arguments = arguments;
    return start;
}

std::vector<std::string> lastLines(const std::vector<std::string>& lines, size_t count)
{
    return std::vector<std::string>(lines.end() - std::min(count, lines.size()), lines.end());
}

bool eventually(const std::function<bool()>& condition)
{
    for (int tries = 0; tries < 50 && !condition(); ++tries)
        pause(0.1);
    return condition();
}

// Whether the status line, left in the bottom bar, is written in green or red.
bool statusWrittenIn(const ScreenImage& screen, bool green)
{
    int count = 0;
    for (int y = screen.height - 26; y < screen.height; ++y)
        for (int x = 0; x < 360; ++x) {
            const ScreenColour p = screen.at(x, y);
            const int main = green ? p.g : p.r;
            const int other = green ? std::max(p.r, p.b) : std::max(p.g, p.b);
            count += main > 180 && other < 130;
        }
    return count > 30;
}

// No new files in a folder, from root too (which ignores permission bits, so
// the immutable flag is set as well); undone when the object goes.
class LockedFolder
{
public:
    explicit LockedFolder(const std::string& path) : path(path)
    {
        chmod(path.c_str(), 0555);
        if (geteuid() == 0 && system(("chattr +i " + path).c_str()) != 0)
            throw std::runtime_error("root cannot lock " + path + " with chattr +i");
    }
    ~LockedFolder()
    {
        if (geteuid() == 0 && system(("chattr -i " + path).c_str()) != 0)
            ADD_FAILURE() << "cannot unlock " << path;
        chmod(path.c_str(), 0755);
    }

private:
    std::string path;
};

class Editor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.linkGameData();
        original = folder.read("data/map.dat");
        folder.write(kMap, original);
    }

    void open(const std::string& map = kMap, std::vector<std::string> options = {})
    {
        options.insert(options.begin(), map);
        editor = std::make_unique<GameProcess>(folder.path(), editorWith(options));
        ASSERT_TRUE(editor->waitForWindow());
        pause(0.5);
    }

    void pointAt(Cell cell)
    {
        editor->moveMouseInWindow(cell.column * TILE_SIZE - viewLeft + TILE_SIZE / 2,
                                  cell.row * TILE_SIZE - topOffset + TILE_SIZE / 2);
        pause(0.1);
    }

    void clickCell(Cell cell, int button)
    {
        pointAt(cell);
        editor->click(button);
    }

    void drag(Cell from, Cell to)
    {
        pointAt(from);
        editor->mouseDown(kLeftButton);
        pointAt(to);
        editor->mouseUp(kLeftButton);
    }

    void press(const std::string& keys)
    {
        editor->tap(keys);
        pause(0.3);
    }

    void scrollDown()
    {
        press("Down");
        topOffset = TILE_SIZE;
    }

    bool statusTurns(bool green)
    {
        // A window that is gone cannot be read: check the editor first.
        return eventually([&] { return editor->running() && statusWrittenIn(editor->grabWindow(), green); });
    }

    bool savedOver(const std::string& before)
    {
        return eventually([&] { return folder.read(kMap) != before; });
    }

    TestFolder folder;
    std::string original;
    std::unique_ptr<GameProcess> editor;
    int viewLeft = kGameViewLeft;
    int topOffset = 0;
};

int placeholderPixels(const ScreenImage& screen)
{
    int count = 0;
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x)
            count += isNear(screen.at(x, y), kPlaceholder, 12);
    return count;
}

} // namespace

TEST_F(Editor, PaintPickUndoAndSaveWriteTheExpectedGridAndKeepTheOriginal)
{
    open();
    Grid expected = gridOf(folder.file(kMap));
    const Cell sample{3, 6}, first{2, 3}, dragFrom{5, 3}, dragTo{7, 3}, other{9, 4}, last{11, 6}, bottom{4, 10};
    const int chosen = expected[sample.row][sample.column] + 2;
    ASSERT_LT(chosen, 62) << "the wheel must stay among the storable tiles";

    clickCell(sample, kRightButton);
    editor->click(kWheelDown);
    editor->click(kWheelDown);
    clickCell(first, kLeftButton);
    drag(dragFrom, dragTo);
    press("bracketleft");
    clickCell(other, kLeftButton);
    press("ctrl+z"); // the click on other
    press("ctrl+z"); // the whole drag
    clickCell(first, kRightButton);
    clickCell(last, kLeftButton);
    scrollDown();
    clickCell(bottom, kLeftButton);
    press("s");

    for (const Cell& painted : {first, last, bottom})
        expected[painted.row][painted.column] = chosen;
    ASSERT_TRUE(savedOver(original));
    expectSameGrid(gridOf(folder.file(kMap)), expected);
    EXPECT_EQ(folder.read(kMap + "~"), original) << "the comment lines live on in the backup";
    EXPECT_TRUE(statusTurns(true));
    press("Escape");
    EXPECT_EQ(editor->waitForExit(5.0), 0) << "nothing unsaved: Escape quits at once";
}

TEST_F(Editor, AFailedSaveLeavesTheFileAndKeepsTheEditsAndSaysSoInRed)
{
    // With comment lines a backup is due as well; without, only the map is written.
    for (const bool withComments : {true, false}) {
        SCOPED_TRACE(withComments ? "map with comment lines" : "map without comment lines");
        folder.write(kMap, original);
        Map written{};
        if (!withComments && written.loadMap(folder.file(kMap).c_str()) == 0)
            written.saveMap(folder.file(kMap).c_str());
        const std::string before = folder.read(kMap);
        open();
        const Cell changed{4, 3};
        clickCell(changed, kLeftButton); // paints tile 1, the first one chosen
        {
            LockedFolder locked(folder.file("maps"));
            press("s");
            EXPECT_TRUE(statusTurns(false));
            EXPECT_TRUE(editor->running());
        }
        EXPECT_EQ(folder.read(kMap), before);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.file("maps")), {}), 1) << "nothing left behind";

        press("ctrl+s");
        ASSERT_TRUE(savedOver(before));
        EXPECT_EQ(gridOf(folder.file(kMap))[changed.row][changed.column], 1) << "the edit survived the failure";
        editor->closeWindow();
        EXPECT_EQ(editor->waitForExit(5.0), 0);
        std::filesystem::remove(folder.file(kMap + "~"));
    }
}

TEST_F(Editor, AMissingMapIsCreatedOnSaveAndUnsavedChangesAskBeforeQuitting)
{
    const std::string fresh = "maps/new.dat";
    open(fresh);
    const std::vector<std::string> opening = {"map file maps/new.dat is missing",
                                              "grubnosh-editor: new map: new.dat does not exist yet, S creates it"};
    EXPECT_EQ(lastLines(editor->errLines(), 2), opening);
    EXPECT_EQ(editor->caption(), kTitle);
    clickCell({4, 3}, kLeftButton);
    EXPECT_TRUE(eventually([&] { return editor->caption() == std::string("*") + kTitle; })) << editor->caption();
    press("Escape");
    EXPECT_TRUE(statusTurns(false));
    EXPECT_TRUE(editor->running()) << "the first Escape only warns";
    press("s");
    ASSERT_TRUE(eventually([&] { return std::filesystem::exists(folder.file(fresh)); }));
    EXPECT_TRUE(statusTurns(true));
    EXPECT_TRUE(eventually([&] { return editor->caption() == kTitle; })) << "saved: " << editor->caption();
    const std::string saved = folder.read(fresh);

    clickCell({5, 3}, kLeftButton);
    editor->closeWindow();
    EXPECT_TRUE(statusTurns(false));
    EXPECT_TRUE(editor->running()) << "closing the window warns like Escape";
    press("Escape");
    EXPECT_EQ(editor->waitForExit(5.0), 0);
    EXPECT_EQ(folder.read(fresh), saved) << "quitting saves nothing";
    EXPECT_EQ(gridOf(folder.file(fresh))[3][4], 1);
}

TEST_F(Editor, WithoutItsFontSaveResultsAndTheQuitWarningStillReachTheUser)
{
    std::filesystem::remove(folder.file("data"));
    folder.linkGameDataWithout("bitfont.fnt");
    open();
    clickCell({4, 3}, kLeftButton);
    press("Escape");
    EXPECT_TRUE(editor->running()) << "the first Escape only warns";
    {
        LockedFolder locked(folder.file("maps"));
        press("s");
    }
    press("s");
    press("Escape");
    EXPECT_EQ(editor->waitForExit(5.0), 0);

    std::vector<std::string> said;
    for (const std::string& line : editor->errLines())
        if (line.rfind("grubnosh-editor: ", 0) == 0)
            said.push_back(line);
    ASSERT_EQ(said.size(), 5u);
    EXPECT_EQ(said[0], "grubnosh-editor: no font, so messages come only here (run it from the game's folder)");
    EXPECT_EQ(said[1], "grubnosh-editor: opened map.dat");
    EXPECT_EQ(said[2], "grubnosh-editor: unsaved changes: Escape again to quit");
    EXPECT_EQ(said[3].rfind("grubnosh-editor: cannot write map.dat: ", 0), 0u) << said[3];
    EXPECT_EQ(said[4], "grubnosh-editor: saved map.dat, the original kept as map.dat~");
}

TEST_F(Editor, EachViewPaintsAndPicksTheCellUnderThePointerWithTheRightPictures)
{
    // The tiles example's pictures without their list: numbered only, so its
    // tiles 22, 30 and 35 have none.
    std::filesystem::create_directories(folder.file("unlisted"));
    for (const auto& entry : std::filesystem::directory_iterator(folder.file("data/examples/tiles")))
        if (entry.path().extension() == ".png")
            std::filesystem::copy_file(entry.path(), folder.file("unlisted/" + entry.path().filename().string()));
    // The game's map with row 4 all tile 62, the greatest a map can hold.
    Map greatest{};
    greatest.loadMap(folder.file("data/map.dat").c_str());
    for (int column = 0; column < MAP_COLUMNS; ++column)
        greatest.setTileAt(column, 4, 62);
    greatest.saveMap(folder.file("greatest.dat").c_str());
    const struct
    {
        const char* name;
        const char* source;
        std::vector<std::string> options;
        int viewLeft;
        Cell picked, painted;
        bool placeholders;
    } views[] = {
        {"the game's view of its map", "data/map.dat", {}, kGameViewLeft, {3, 6}, {9, 4}, false},
        {"tile 62 has a picture", "greatest.dat", {}, kGameViewLeft, {3, 4}, {9, 6}, false},
        {"the plain view of the tiles example's room, with its tile list", "data/examples/map.dat",
         {"--view", "plain", "--tiles", "data/examples/tiles"}, 0, {2, 1}, {5, 3}, false},
        {"the same without the list", "data/examples/map.dat", {"--view", "plain", "--tiles", "unlisted"}, 0,
         {2, 1}, {5, 3}, true},
    };
    for (const auto& view : views) {
        SCOPED_TRACE(view.name);
        folder.write(kMap, folder.read(view.source));
        Grid expected = gridOf(folder.file(kMap));
        ASSERT_NE(expected[view.picked.row][view.picked.column], expected[view.painted.row][view.painted.column]);
        expected[view.painted.row][view.painted.column] = expected[view.picked.row][view.picked.column];
        viewLeft = view.viewLeft;
        open(kMap, view.options);
        EXPECT_EQ(placeholderPixels(editor->grabWindow()) > 1000, view.placeholders);

        clickCell(view.picked, kRightButton);
        clickCell(view.painted, kLeftButton);
        const std::string before = folder.read(kMap);
        press("s");
        ASSERT_TRUE(savedOver(before));
        expectSameGrid(gridOf(folder.file(kMap)), expected);
        press("Escape");
        EXPECT_EQ(editor->waitForExit(5.0), 0);
    }
}

TEST_F(Editor, BadArgumentsGetTheUsageLineAndStatusTwo)
{
    const std::vector<std::vector<std::string>> cases = {
        {"--frob"}, {"--tiles"}, {"a.dat", "b.dat"}, {"--view"}, {"--view", "sideways"}};
    for (const std::vector<std::string>& arguments : cases) {
        GameProcess run(folder.path(), editorWith(arguments));
        EXPECT_EQ(run.waitForExit(5.0), 2) << arguments[0];
        const std::vector<std::string> errors = run.errLines();
        ASSERT_EQ(errors.size(), 2u) << arguments[0];
        EXPECT_EQ(errors[0].rfind("grubnosh-editor: ", 0), 0u) << errors[0];
        EXPECT_EQ(errors[1], "usage: grubnosh-editor [MAP] [--tiles DIR] [--view game|plain]");
    }
}
