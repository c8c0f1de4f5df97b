#include <gtest/gtest.h>

#include <algorithm>
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

    // The launcher as a player starts it, from elsewhere, with the per-user
    // folder under dataHome unless the environment says otherwise.
    std::unique_ptr<GameProcess> start(ProgramEnvironment environment = {}) const
    {
        ProgramStart program;
        program.binary = launcher;
        return start(program, environment);
    }

    std::unique_ptr<GameProcess> start(ProgramStart program, ProgramEnvironment environment) const
    {
        environment.insert(environment.begin(), {"XDG_DATA_HOME", dataHome.path()});
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

// What the game alone says when it finds no display: the launcher adds nothing.
void expectOnlyTheGamesWindowFailure(GameProcess& game)
{
    EXPECT_EQ(game.waitForExit(), 1);
    const std::vector<std::string> errors = game.errLines();
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back().rfind("FAIL) Couldn't open the game window: ", 0), 0u) << errors.back();
    for (const std::string& line : errors)
        EXPECT_EQ(line.find("grubnosh:"), std::string::npos) << "a word from the launcher: " << line;
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
    // The launcher's one line: where it kept the run.
    std::vector<std::string> errors = installed->errLines();
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back().rfind("grubnosh: this run, score 0 with 0 misses, is the best so far: kept in " +
                                      perUser("runs/best.tqrun"),
                                  0),
              0u)
        << errors.back();
    errors.pop_back();
    EXPECT_EQ(errors, built.errLines());
    const BmpFile screenshot(perUser("sshot.bmp"));
    EXPECT_TRUE(screenshot.valid && screenshot.width == 640 && screenshot.height == 480)
        << "no 640 x 480 screenshot in " << perUser("");
    EXPECT_FALSE(fs::exists(elsewhere.file("sshot.bmp"))) << "the caller's folder stays untouched";

    // The map is the player's own copy, so the editor can change what the game shows.
    EXPECT_FALSE(fs::is_symlink(perUser("data/map.dat")));
    EXPECT_EQ(dataHome.read("grubnosh/data/map.dat"), repository.read("data/map.dat"));
}

TEST_F(InstalledLauncher, KeepsThePlayersOwnFilesAndLinksRenewsItsOwnAndPassesOnAFailure)
{
    fs::create_directories(perUser("data"));
    dataHome.write("grubnosh/data/map.dat", "the player's own map\n");
    // A link a launcher made for an install since moved away.
    fs::create_directory_symlink("/moved/share/games/grubnosh/data/sprites", perUser("data/sprites"));
    dataHome.write("mine/tiles/0.png", "the player's own tile");
    fs::create_directory_symlink(dataHome.file("mine/tiles"), perUser("data/tiles"));

    // Without a display the game can only fail; its status and message must come through.
    expectOnlyTheGamesWindowFailure(*start(kNoDisplay));

    EXPECT_EQ(dataHome.read("grubnosh/data/map.dat"), "the player's own map\n");
    EXPECT_EQ(fs::read_symlink(perUser("data/tiles")), dataHome.file("mine/tiles")) << "the player's own link";
    for (const char* entry : {"sprites", "bitfont.fnt", "bitfont.tga"})
        EXPECT_TRUE(fs::is_symlink(perUser(std::string("data/") + entry)) &&
                    fs::exists(perUser(std::string("data/") + entry)))
            << entry << " should link to the installed content";
}

TEST_F(InstalledLauncher, TwoFirstStartsAtOnceBothRun)
{
    // cp as it copies to a new file: it sees the destination is not there,
    // then creates it exclusively. In between it waits until the other
    // launcher's cp has seen the same (each leaves its mark in a meeting
    // folder), so that both always copy the map at the same time.
    const TestFolder tools;
    tools.write("cp", "#!/bin/sh\n[ ! -e \"$2\" ] || exec /bin/cp \"$@\"\ntouch \"$MEETING/$$\"\n"
                      "for wait in $(seq 500); do [ $(ls \"$MEETING\" | wc -l) -lt 2 ] || break; sleep 0.02; done\n"
                      "set -C\ncat \"$1\" >\"$2\"\n");
    fs::permissions(tools.file("cp"), fs::perms::owner_all);
    const std::string path = tools.path() + ":" + getenv("PATH");
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        const TestFolder fresh, meeting;
        const ProgramEnvironment environment = {kNoDisplay[0], kNoDisplay[1], {"XDG_DATA_HOME", fresh.path()},
                                                {"PATH", path}, {"MEETING", meeting.path()}};
        const std::unique_ptr<GameProcess> first = start(environment);
        const std::unique_ptr<GameProcess> second = start(environment);
        expectOnlyTheGamesWindowFailure(*first);
        expectOnlyTheGamesWindowFailure(*second);
        EXPECT_EQ(std::distance(fs::directory_iterator(meeting.path()), {}), 2) << "both copied the map at once";
        EXPECT_TRUE(fs::is_regular_file(fresh.file("grubnosh/data/map.dat")));
        EXPECT_EQ(std::distance(fs::directory_iterator(fresh.file("grubnosh/data")), {}), 5) << "no temporary left";
    }
}

TEST_F(InstalledLauncher, PerUserFolderFollowsTheXdgRules)
{
    const TestFolder home;
    const std::unique_ptr<GameProcess> relative =
        start({kNoDisplay[0], kNoDisplay[1], {"XDG_DATA_HOME", "relative"}, {"HOME", home.path()}});
    expectOnlyTheGamesWindowFailure(*relative);
    EXPECT_TRUE(fs::is_regular_file(home.file(".local/share/grubnosh/data/map.dat"))) << "a relative folder is ignored";
    EXPECT_FALSE(fs::exists(elsewhere.file("relative")));

    const std::unique_ptr<GameProcess> homeless =
        start({kNoDisplay[0], kNoDisplay[1], {"XDG_DATA_HOME", ""}, {"HOME", ""}});
    EXPECT_EQ(homeless->waitForExit(), 1);
    EXPECT_EQ(homeless->errLines(),
              std::vector<std::string>{
                  "grubnosh: neither XDG_DATA_HOME nor HOME is an absolute path: no folder for the player's files"});
}

TEST_F(InstalledLauncher, EditorTakesTheTypedPathsFromWhereItWasStarted)
{
    ProgramStart editor;
    editor.binary = (fs::path(launcher).parent_path() / "grubnosh-editor").string();
    editor.caption = "Grubnosh map editor";
    editor.arguments = {"mine.dat", "--view", "plain", "--tiles", "pictures"};
    elsewhere.write("pictures/0.png", "");
    const std::unique_ptr<GameProcess> run = start(editor, {});
    ASSERT_TRUE(run->waitForWindow());
    pause(0.5);
    run->tap("s");
    for (int tries = 0; tries < 50 && !fs::exists(elsewhere.file("mine.dat")); ++tries)
        pause(0.1);
    run->tap("Escape");
    EXPECT_EQ(run->waitForExit(), 0);
    EXPECT_TRUE(fs::is_regular_file(elsewhere.file("mine.dat"))) << "saved where the editor was started";
    EXPECT_FALSE(fs::exists(perUser("mine.dat")));
    const std::vector<std::string> errors = run->errLines();
    const std::string tile = "Sorry, sprite " + elsewhere.file("pictures/0.png") + " is missing";
    EXPECT_NE(std::find(errors.begin(), errors.end(), tile), errors.end())
        << "the tiles come from the folder typed";
}

TEST_F(InstalledLauncher, KeepsTheLastAndTheBestRunAndReplaysThemWithoutRecordingOverThem)
{
    auto launch = [this](std::vector<std::string> arguments) {
        ProgramStart program;
        program.binary = launcher;
        program.arguments = arguments;
        return start(program, {});
    };
    const std::unique_ptr<GameProcess> empty = launch({"--best"});
    EXPECT_EQ(empty->waitForExit(), 0);
    EXPECT_EQ(empty->out(), "No best run yet: every run is kept in " + perUser("runs") + "/\n");

    const std::unique_ptr<GameProcess> played = launch({});
    ASSERT_TRUE(played->waitForWindow());
    pause(1.0);
    played->tap("Escape");
    ASSERT_EQ(played->waitForExit(), 0);
    const std::string last = dataHome.read("grubnosh/runs/last.tqrun");
    EXPECT_EQ(last.rfind("torvane-run 1\nprogram Grubnosh\n", 0), 0u);
    EXPECT_EQ(dataHome.read("grubnosh/runs/best.tqrun"), last) << "the first run is the best so far";

    const std::unique_ptr<GameProcess> best = launch({"--best"});
    EXPECT_EQ(best->waitForExit(), 0);
    EXPECT_EQ(best->out(), "Best score: 0 with 0 misses, in " + perUser("runs/best.tqrun") +
                               ": grubnosh --replay best watches it\n");

    const std::unique_ptr<GameProcess> replay = launch({"--replay", "last"});
    ASSERT_TRUE(replay->waitForWindow());
    EXPECT_TRUE(replay->waitForOutput("PASS) Run " + perUser("runs/last.tqrun") + " replayed to its end"));
    replay->tap("Escape");
    EXPECT_EQ(replay->waitForExit(), 0);
    EXPECT_EQ(dataHome.read("grubnosh/runs/last.tqrun"), last);
    EXPECT_EQ(std::distance(fs::directory_iterator(perUser("runs")), {}), 2) << "nothing else kept";

    const std::unique_ptr<GameProcess> missing = launch({"--replay", "nowhere.tqrun"});
    EXPECT_EQ(missing->waitForExit(), 1);
    EXPECT_EQ(missing->errLines(), std::vector<std::string>{"grubnosh: there is no run " + elsewhere.file("nowhere.tqrun")});
}
