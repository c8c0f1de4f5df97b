#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "BmpFile.h"
#include "GameProcess.h"
#include "TestFolder.h"

// Minutes of play by a scripted player on the real binary: random flying, a
// screenshot every few frames (which also proves the game still answers), and
// its resident memory watched for growth once objects have come and gone.
namespace {

using Clock = std::chrono::steady_clock;

double soakSeconds()
{
    const char* override = getenv("GRUBNOSH_SOAK_SECONDS");
    return override != NULL ? atof(override) : 180.0;
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

bool isPigPink(const BmpFile::Colour& c)
{
    return c.r >= 200 && c.g >= 110 && c.g <= 190 && c.b >= 130 && c.b <= 215 && c.b >= c.g && c.r - c.b >= 25;
}

// The hostile's purple core.
bool isHostilePurple(const BmpFile::Colour& c)
{
    return c.b >= 80 && c.b > c.r && c.r > c.g && c.g < 70 && c.b - c.g >= 50;
}

// Mean row of the matching pixels in a column range, or -1 when there are none.
double meanRow(const BmpFile& shot, int left, int right, bool (*matches)(const BmpFile::Colour&), int minRow = 0,
               int maxRow = 479)
{
    long sum = 0;
    long count = 0;
    for (int y = std::max(0, minRow); y <= std::min(shot.height - 1, maxRow); ++y)
        for (int x = left; x < right; ++x)
            if (matches(shot.at(x, y))) {
                sum += y;
                ++count;
            }
    return count > 8 ? static_cast<double>(sum) / count : -1.0;
}

// Rises away from a hostile below the pig and drops away from one above it;
// otherwise flies at random. Returns whether space should be held.
bool chooseLift(const BmpFile& shot, std::mt19937& random, bool holding)
{
    // Below the score line and the small pigs that count the lives (the top 52 rows).
    const double pig = meanRow(shot, 15, 80, isPigPink, 52);
    const double threat = pig < 0 ? -1.0 : meanRow(shot, 60, 340, isHostilePurple, pig - 110, pig + 110);
    if (threat >= 0) {
        const bool threatBelow = threat > pig;
        if (threatBelow && pig < 60)
            return false; // cornered at the top: dive under it
        if (!threatBelow && pig > 380)
            return true; // cornered at the bottom: climb over it
        return threatBelow;
    }
    return random() % 4 == 0 ? !holding : holding;
}

class Soak : public ::testing::Test
{
protected:
    void SetUp() override { folder.linkGameData(); }

    // Presses F2 and waits for a new screenshot; false if the game did not answer.
    bool screenshot(GameProcess& game)
    {
        const std::string shot = folder.file("sshot.bmp");
        std::filesystem::remove(shot);
        game.tap("F2");
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        while (Clock::now() < deadline) {
            if (std::filesystem::exists(shot) && BmpFile(shot).valid)
                return true;
            pause(0.02);
        }
        return false;
    }

    TestFolder folder;
};

} // namespace

TEST_F(Soak, MinutesOfPlayKeepTheGameAnsweringWithFlatMemory)
{
    GameProcess game(folder.path());
    ASSERT_TRUE(game.waitForWindow());
    std::mt19937 random(20261208);

    const double seconds = soakSeconds();
    const auto start = Clock::now();
    const auto settled = start + std::chrono::duration<double>(std::min(30.0, seconds / 3));
    long settledResident = -1;
    long peakResident = 0;
    bool holding = false;
    int shots = 0;
    while (Clock::now() - start < std::chrono::duration<double>(seconds)) {
        ASSERT_TRUE(game.running()) << "the game ended during play";
        ASSERT_TRUE(screenshot(game)) << "no screenshot within 5 s after " << shots << " good ones";
        ++shots;
        const bool lift = chooseLift(BmpFile(folder.file("sshot.bmp")), random, holding);
        if (lift != holding) {
            lift ? game.keyDown("space") : game.keyUp("space");
            holding = lift;
        }
        const long resident = residentKilobytes(game.processId());
        if (settledResident < 0 && Clock::now() >= settled)
            settledResident = resident;
        if (settledResident >= 0)
            peakResident = std::max(peakResident, resident);
    }
    if (holding)
        game.keyUp("space");

    EXPECT_GT(shots, static_cast<int>(seconds)) << "fewer than one answered screenshot a second";
    ASSERT_GT(settledResident, 0);
    EXPECT_LT(peakResident - settledResident, 4096)
        << "resident memory grew from " << settledResident << " kB to " << peakResident << " kB";
    game.tap("Escape");
    EXPECT_EQ(game.waitForExit(), 0);
}
