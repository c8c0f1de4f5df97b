#ifndef TORVANE_RUNPLAYER_H
#define TORVANE_RUNPLAYER_H

// Plays a run back: each frame's recorded frame time, and for each poll and
// each reading of the held keys what the program met there when the run was
// recorded, in the same order. Numbers handed in are compared with those the
// run holds. Internal to the engine.

#include <cstdint>
#include <string>
#include <vector>

#include "RunStream.h"

class RunPlayer
{
public:
    enum class Frame {
        Playing, // a recorded frame begins
        Ended,   // the recorded frames are over
        Differs, // the program did not hand in the numbers the run holds (expected() says which)
    };

    // body: a run's body as a RunFile read it; finalNumbers: its header's.
    RunPlayer(const std::string& body, const std::vector<int32_t>& finalNumbers);

    // Moves on to the next frame, with its frame time when Playing.
    Frame beginFrame(uint32_t& milliseconds);
    // What the program's poll gives: true with an event, false for none.
    bool poll(RunEvent& event);
    // Whether a poll would give an event now.
    bool eventWaiting();
    // The program reads the held keys.
    void readKeys();
    // The held keys by run key number, as the program sees them now.
    const uint8_t (&heldKeys() const)[kRunKeyCount] { return held; }
    // Numbers handed in: false when the run holds other numbers here.
    bool check(const std::vector<int32_t>& numbers);

    // The frames begun so far: the current frame's number, from 1.
    uint32_t frame() const { return frames; }
    // The numbers the run held where the program differed.
    const std::vector<int32_t>& expected() const { return expectedNumbers; }
    // The numbers the program handed in last in this frame.
    const std::vector<int32_t>& handed() const { return numbersThisFrame; }

private:
    bool nextIs(RunItem::Type type);
    void applyKeys(RunItem::Type when);

    std::string body;
    RunStreamReader reader;
    std::vector<int32_t> finalNumbers;
    std::vector<int32_t> numbersThisFrame;
    std::vector<int32_t> expectedNumbers;
    uint32_t frames = 0;
    uint8_t held[kRunKeyCount] = {};
};

#endif
