#ifndef TORVANE_RUNRECORDER_H
#define TORVANE_RUNRECORDER_H

// Records a run as the program lives it (RunStream.h). A frame is kept only
// once the next one begins: the frame in progress when the run is finished,
// a program's last, is left out. Internal to the engine.

#include <cstdint>
#include <string>
#include <vector>

#include "RunFile.h"
#include "RunStream.h"

// How often a run keeps the numbers handed in to be checked: in the first
// frame that ends after each such stretch of run time, so a run at any frame
// rate keeps as many.
const uint32_t kRunCheckEvery = 1000; // milliseconds

class RunRecorder
{
public:
    // The frame in progress is complete (a new one begins, or the run ends with it).
    void endFrame();
    // A frame of the given frame time begins; the one before it is complete.
    // False, with nothing recorded, once the run has grown to its largest size.
    bool beginFrame(uint32_t milliseconds);
    // A poll gave the program an event, or none (null).
    void notePoll(const RunEvent* event);
    // The held keys the program sees now, by run key number, after a poll or as it reads them.
    void noteKeys(const uint8_t (&held)[kRunKeyCount], RunItem::Type when);
    // Numbers handed in to be checked.
    void noteNumbers(const std::vector<int32_t>& numbers);

    // The complete frames as a run of the given program.
    void finish(const std::string& program, RunHeader& header, std::string& body);

private:
    RunStreamWriter writer;
    bool inFrame = false;
    size_t frameStart = 0;
    uint32_t completeFrames = 0;
    uint64_t completeMilliseconds = 0;
    uint64_t milliseconds = 0;
    bool checkFrame = false;
    std::vector<int32_t> numbersThisFrame;
    std::vector<int32_t> numbersLastFrame;
    uint8_t held[kRunKeyCount] = {};
};

#endif
