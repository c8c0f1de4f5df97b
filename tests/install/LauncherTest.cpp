#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "BmpFile.h"
#include "GameProcess.h"
#include "TestFolder.h"

namespace fs = std::filesystem;

namespace {

// The installed launcher (GRUBNOSH_LAUNCHER), started from a folder that has
// nothing to do with the game, with a per-user folder of its own.
class InstalledLauncher : public ::testing::Test
{
protected:
    InstalledLauncher() : launcher(getenv("GRUBNOSH_LAUNCHER") ? getenv("GRUBNOSH_LAUNCHER") : "") {}

    void SetUp() override { ASSERT_FALSE(launcher.empty()) << "GRUBNOSH_LAUNCHER names no launcher"; }

    // The launcher as a player starts it, from elsewhere, with the per-user folder under dataHome.
    std::unique_ptr<GameProcess> start(ProgramEnvironment environment = {}) const
    {
        environment.emplace_back("XDG_DATA_HOME", dataHome.path());
        ProgramStart program;
        program.binary = launcher;
        program.environment = environment;
        return std::make_unique<GameProcess>(elsewhere.path(), program);
    }

    std::string perUser(const std::string& name) const { return dataHome.file("grubnosh/" + name); }

    std::string launcher;
    TestFolder dataHome;
    TestFolder elsewhere;
};

// The log with the start-up time taken out: that is all that may differ.
std::vector<std::string> withoutTimes(std::vector<std::string> lines)
{
    for (std::string& line : lines)
        line = std::regex_replace(line, std::regex("in [0-9]+ ms"), "in _ ms");
    return lines;
}

// Starts a game, takes a screenshot, quits with Escape; returns the exit status.
int playBriefly(GameProcess& game, const std::string& screenshot)
{
    if (!game.waitForWindow())
        return -1;
    pause(0.5);
    game.tap("F2");
    for (int tries = 0; tries < 100 && !fs::exists(screenshot); ++tries)
        pause(0.05);
    game.tap("Escape");
    return game.waitForExit();
}

} // namespace

TEST_F(InstalledLauncher, StartsAsTheBuiltGameDoesAndKeepsScreenshotsInThePerUserFolder)
{
    TestFolder repository;
    repository.linkGameData();
    GameProcess built(repository.path());
    ASSERT_EQ(playBriefly(built, repository.file("sshot.bmp")), 0);

    const std::unique_ptr<GameProcess> installed = start();
    EXPECT_EQ(playBriefly(*installed, perUser("sshot.bmp")), 0);

    EXPECT_EQ(withoutTimes(installed->outLines()), withoutTimes(built.outLines()));
    EXPECT_EQ(installed->errLines(), built.errLines());
    const BmpFile screenshot(perUser("sshot.bmp"));
    EXPECT_TRUE(screenshot.valid && screenshot.width == 640 && screenshot.height == 480)
        << "no 640 x 480 screenshot in " << perUser("");
    EXPECT_FALSE(fs::exists(elsewhere.file("sshot.bmp"))) << "the caller's folder stays untouched";

    // The map is the player's own copy, so the editor can change what the game shows.
    EXPECT_FALSE(fs::is_symlink(perUser("data/map.dat")));
    EXPECT_EQ(dataHome.read("grubnosh/data/map.dat"), repository.read("data/map.dat"));
}

TEST_F(InstalledLauncher, KeepsThePlayersOwnFilesRenewsStaleLinksAndPassesOnAFailure)
{
    fs::create_directories(perUser("data"));
    dataHome.write("grubnosh/data/map.dat", "the player's own map\n");
    fs::create_directory_symlink("/nonexistent/sprites", perUser("data/sprites"));
    fs::create_directories(perUser("data/tiles"));
    dataHome.write("grubnosh/data/tiles/0.png", "the player's own tile");

    // Without a display the game can only fail; its status and message must come through.
    const std::unique_ptr<GameProcess> game = start(kNoDisplay);
    EXPECT_EQ(game->waitForExit(), 1);
    const std::vector<std::string> errors = game->errLines();
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back().rfind("FAIL) Couldn't open the game window: ", 0), 0u) << errors.back();

    EXPECT_EQ(dataHome.read("grubnosh/data/map.dat"), "the player's own map\n");
    EXPECT_EQ(dataHome.read("grubnosh/data/tiles/0.png"), "the player's own tile");
    for (const char* entry : {"sprites", "bitfont.fnt", "bitfont.tga"})
        EXPECT_TRUE(fs::is_symlink(perUser(std::string("data/") + entry)) &&
                    fs::exists(perUser(std::string("data/") + entry)))
            << entry << " should link to the installed content";
}
