// What recording a run costs the game each frame, and how large runs grow:
// three minutes of play at a display's 60 Hz and at the hundreds of frames a
// second a window without vsync (Xvfb) gives, file and link sizes.
// Prints figures only.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "Platform.h"
#include "RunFile.h"
#include "RunRecorder.h"
#include "RunRecording.h"

namespace {

using Clock = std::chrono::steady_clock;

// The engine calls the game makes each frame that a recording sees: the frame
// time, a poll that finds no event, the held keys, the numbers.
double nanosecondsPerFrame(int frames)
{
    const Clock::time_point start = Clock::now();
    for (int frame = 0; frame < frames; ++frame) {
        TQ_getNewDelta();
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
        }
        const Uint8* keys = SDL_GetKeyState(NULL);
        TQ_checkRun({frame / 100, frame / 300, 9, keys[SDLK_SPACE] * 100 + frame % 416});
    }
    return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / frames;
}

// A player's three minutes: frame times from a repeating pattern with some
// jitter, the space bar held for 0.15 to 0.8 s with 0.2 to 1 s between, the
// game's four numbers. Returns the size of the run's file.
size_t threeMinutes(const uint32_t* pattern, int patternLength)
{
    RunRecorder recorder;
    uint8_t keys[kRunKeyCount] = {};
    unsigned state = 2024;
    auto chance = [&state](int range) {
        state = state * 1103515245 + 12345;
        return static_cast<int>((state >> 16) % range);
    };
    uint32_t total = 0, nextToggle = 500;
    int score = 0, y = 416;
    for (int frame = 0; total < 180000; ++frame) {
        uint32_t milliseconds = pattern[frame % patternLength];
        if (chance(50) == 0)
            milliseconds += chance(3) - 1;
        recorder.beginFrame(milliseconds);
        total += milliseconds;
        if (total >= nextToggle) {
            keys[' '] = !keys[' '];
            nextToggle = total + (keys[' '] ? 150 + chance(650) : 200 + chance(800));
            recorder.noteKeys(keys, RunItem::KeysAtPoll);
            RunEvent press;
            press.kind = keys[' '] ? RunEvent::KeyDown : RunEvent::KeyUp;
            press.field[0] = ' ';
            recorder.notePoll(&press);
        }
        recorder.notePoll(nullptr);
        y = keys[' '] ? (y > 0 ? y - static_cast<int>(milliseconds) / 5 : y) : std::min(416, y + static_cast<int>(milliseconds) * 9 / 20);
        score += chance(300) == 0;
        recorder.noteNumbers({score, score / 3, 9, y});
    }
    RunHeader header;
    std::string body;
    recorder.finish("Grubnosh", header, body);
    return runFileBytes(header, body).size();
}

size_t base64urlLength(size_t bytes)
{
    return (bytes * 4 + 2) / 3; // without padding
}

} // namespace

int main(int argc, char** argv)
{
    const int frames = argc > 1 ? atoi(argv[1]) : 200000;
    const double bare = nanosecondsPerFrame(frames);
    char path[] = "/tmp/run-bench-XXXXXX";
    const int descriptor = mkstemp(path);
    if (descriptor < 0 || TQ_recordRun(path) != 0)
        return 1;
    close(descriptor);
    const double recording = nanosecondsPerFrame(frames);
    const Clock::time_point end = Clock::now();
    TQ_endRun();
    const double writing = std::chrono::duration<double, std::milli>(Clock::now() - end).count();
    unlink(path);
    printf("recording a run: %.0f ns a frame more (%.0f ns with it, %.0f without), %d frames; "
           "packing and writing them at the end: %.1f ms\n",
           recording - bare, recording, bare, frames, writing);

    const uint32_t vsync[] = {17, 17, 16};
    const uint32_t xvfb[] = {5, 5, 6, 5, 4, 6}; // about 190 frames a second
    const struct
    {
        const char* name;
        const uint32_t* pattern;
        int length;
    } rates[] = {{"60 Hz", vsync, 3}, {"Xvfb, ~190 Hz", xvfb, 6}};
    for (const auto& rate : rates) {
        const size_t size = threeMinutes(rate.pattern, rate.length);
        printf("a three-minute run at %s: %zu bytes, %zu as base64url\n", rate.name, size, base64urlLength(size));
    }
    return 0;
}
