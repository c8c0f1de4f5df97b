#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "BmpFile.h"
#include "GameProcess.h"
#include "Sighting.h"
#include "TestFolder.h"

// Play by a scripted player on the real binary, under a minute by default: it dodges the
// hostiles it sees and otherwise flies at random, takes a screenshot every few
// frames (which also proves the game still answers), and watches the resident
// memory for growth once objects have come and gone. Homing hostiles corner it
// now and then; a game it loses must end cleanly, and play goes on in a new one.
namespace {

using Clock = std::chrono::steady_clock;

// A game that writes no screenshot in this time has stopped answering.
const double kAnswerSeconds = 5.0;
// Objects come every 1.35 s and take about ten to cross the window: by this
// time many have come and gone, and the memory a game needs is all there.
const int kSettleSeconds = 15;

double soakSeconds()
{
    const char* override = getenv("GRUBNOSH_SOAK_SECONDS");
    return override != NULL ? atof(override) : 35.0;
}

long residentKilobytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    long value = -1;
    while (status >> key) {
        if (key == "VmRSS:") {
            status >> value;
            break;
        }
        status.ignore(1 << 16, '\n');
    }
    return value;
}

// The hostile's purple core.
bool isHostilePurple(ScreenColour c)
{
    return c.b >= 80 && c.b > c.r && c.r > c.g && c.g < 70 && c.b - c.g >= 50;
}

// Mean row of a sighting, or -1 when it holds too few pixels to tell.
double meanRow(const Sighting& sighting)
{
    return sighting.pixels > 8 ? sighting.centreY : -1.0;
}

struct Threat
{
    double column;
    double row;
};

// Hostiles seen ahead of the pig, one per 32-column band that shows purple.
std::vector<Threat> findThreats(const BmpFile& shot)
{
    std::vector<Threat> threats;
    for (int left = 48; left < 432; left += 32) {
        const double row = meanRow(sight(shot, left, left + 32, kBelowTheHud, shot.height, isHostilePurple));
        if (row >= 0)
            threats.push_back({left + 16.0, row});
    }
    return threats;
}

// How much a pig centred on this row would be in the way. A hostile homes in
// at half its speed across, so by the time it reaches the pig it can have
// closed half its distance across; near hostiles weigh most.
double danger(double row, const std::vector<Threat>& threats)
{
    double total = 0.0;
    for (const Threat& threat : threats) {
        const double reach = 0.5 * (threat.column - 48.0) + 80.0;
        total += std::max(0.0, reach - std::fabs(row - threat.row)) * (1.0 + (432.0 - threat.column) / 96.0);
    }
    return total;
}

// The danger at a height, and far more for getting there through a hostile
// that is about to reach the pig.
double cost(double pig, double row, const std::vector<Threat>& threats)
{
    // The edges are traps: a hostile from the open side cannot be passed there.
    double total = danger(row, threats) + 0.5 * std::fabs(row - 240.0);
    for (const Threat& threat : threats) {
        const bool near = threat.column < 200.0;
        const bool inTheWay = std::min(pig, row) - 70.0 < threat.row && threat.row < std::max(pig, row) + 70.0;
        if (near && inTheWay && std::fabs(row - pig) > 20.0)
            total += 100000.0;
    }
    return total;
}

// Steers towards the safest height from the hostiles in sight; with none in
// sight it flies at random. Returns whether space should be held.
bool chooseLift(const BmpFile& shot, std::mt19937& random, bool holding)
{
    // Below the score line and the small pigs that count the lives (the top 52 rows).
    const double pig = meanRow(findPig(shot, 15));
    const std::vector<Threat> threats = findThreats(shot);
    if (pig < 0)
        return random() % 4 == 0 ? !holding : holding;
    if (threats.empty()) // wander about the middle
        return pig > 140.0 + random() % 200;

    double safest = pig;
    double safestCost = cost(pig, pig, threats);
    for (double row = 40.0; row <= 440.0; row += 20.0) {
        const double rowCost = cost(pig, row, threats);
        if (rowCost < safestCost || (rowCost == safestCost && std::fabs(row - pig) < std::fabs(safest - pig))) {
            safest = row;
            safestCost = rowCost;
        }
    }
    if (std::fabs(safest - pig) < 12.0)
        return !holding; // hover: alternate rising and falling
    return safest < pig;
}

class Soak : public ::testing::Test
{
protected:
    void SetUp() override { folder.linkGameData(); }

    TestFolder folder;
};

} // namespace

// One game's memory: resident size once objects have come and gone, and its peak after.
struct MemoryWatch
{
    Clock::time_point started = Clock::now();
    long settled = -1;
    long peak = 0;

    void sample(long resident)
    {
        if (settled < 0 && Clock::now() - started >= std::chrono::seconds(kSettleSeconds))
            settled = resident;
        if (settled >= 0)
            peak = std::max(peak, resident);
    }
};

// False for a game too short to judge.
bool expectFlat(const MemoryWatch& memory)
{
    if (memory.settled < 0)
        return false;
    EXPECT_LT(memory.peak - memory.settled, 4096)
        << "resident memory grew from " << memory.settled << " kB to " << memory.peak << " kB";
    return true;
}

// The scripted player can lose all its lives; the game then waits on its
// game-over screen, which the next F2 ends. That must be a clean end after
// nine hits at least, and play goes on in a new game.
void expectLostFairly(GameProcess& game)
{
    EXPECT_EQ(game.waitForExit(), 0);
    const std::vector<std::string> lines = game.outLines();
    EXPECT_GE(std::count(lines.begin(), lines.end(), "Player got hit by a hostile :("), 9)
        << "the game ended without losing its lives";
}

TEST_F(Soak, LongPlayKeepsTheGameAnsweringWithFlatMemory)
{
    std::mt19937 random(20261208);
    const auto end = Clock::now() + std::chrono::duration<double>(soakSeconds());
    int shots = 0;
    int games = 0;
    int judged = 0;
    bool escaped = false;
    while (!escaped) {
        GameProcess game(folder.path());
        ++games;
        ASSERT_TRUE(game.waitForWindow());
        MemoryWatch memory;
        bool holding = false;
        bool answered = true;
        while (Clock::now() < end && (answered = !game.screenshot(kAnswerSeconds).empty())) {
            ++shots;
            const bool lift = chooseLift(BmpFile(folder.file("sshot.bmp")), random, holding);
            if (lift != holding) {
                lift ? game.keyDown("space") : game.keyUp("space");
                holding = lift;
            }
            memory.sample(residentKilobytes(game.processId()));
        }
        if (holding)
            game.keyUp("space");
        judged += expectFlat(memory);
        if (!answered) {
            expectLostFairly(game);
            continue;
        }
        game.tap("Escape");
        EXPECT_EQ(game.waitForExit(), 0);
        escaped = true;
    }
    EXPECT_GT(shots, static_cast<int>(soakSeconds())) << "fewer than one answered screenshot a second";
    EXPECT_GT(judged, 0) << "no game lasted long enough to judge its memory";
    RecordProperty("games", games);
}
