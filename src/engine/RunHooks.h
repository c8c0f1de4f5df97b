#ifndef TORVANE_RUNHOOKS_H
#define TORVANE_RUNHOOKS_H

// Where the run being recorded or replayed (RunRecording.h) meets the platform
// layer and the two input calls. Internal to the engine.

#include <cstdint>

class RunPlayer;
class RunRecorder;

// Starts what TORVANE_REPLAY and TORVANE_RECORD ask for; TQ_initSDL calls it
// once the window is open, the first time only.
void startRunsFromEnvironment();
// The window's caption has changed: a run names its program by it.
void noteRunCaption(const char* caption);
// A frame begins that measured the given milliseconds: returns the frame time
// to use, the recorded one during a replay, and records it.
uint32_t runFrameMilliseconds(uint32_t measured);

// The run being recorded, or null.
RunRecorder* recordingRun();
// The run being replayed, or null.
RunPlayer* replayingRun();
// A real Escape or the closing of the window ends the replay.
void stopWatchingRun();

#endif
