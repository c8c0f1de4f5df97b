// The run being recorded and the one being replayed, behind the calls of
// RunRecording.h, and what they say about themselves.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "RunFile.h"
#include "RunFileTarget.h"
#include "RunHooks.h"
#include "RunPlayer.h"
#include "RunRecorder.h"
#include "RunRecording.h"

namespace {

struct Recording
{
    explicit Recording(const char* file) : path(file), target(path) {}

    std::string path;
    RunFileTarget target;
    RunRecorder recorder;
    std::string program; // the caption when the first frame began
};

struct Replay
{
    Replay(const char* file, const RunHeader& header, const std::string& body)
        : path(file), header(header), player(body, header.finalNumbers)
    {
    }

    std::string path;
    RunHeader header;
    RunPlayer player;
    bool programChecked = false;
};

std::unique_ptr<Recording> recording;
std::unique_ptr<Replay> replay;
std::string caption = "Torvane Quillet";

std::string listed(const std::vector<int32_t>& numbers)
{
    std::string text;
    for (const int32_t value : numbers)
        text += (text.empty() ? "" : " ") + std::to_string(value);
    return text.empty() ? "none" : text;
}

std::string secondsOf(uint64_t milliseconds)
{
    char text[32];
    snprintf(text, sizeof text, "%.1f", static_cast<double>(milliseconds) / 1000.0);
    return text;
}

void endRunsAtExit()
{
    TQ_endRun();
}

void endRunsAtExitOnce()
{
    static bool registered = false;
    if (!registered)
        registered = atexit(endRunsAtExit) == 0;
}

void finishRecording()
{
    RunHeader header;
    std::string body;
    recording->recorder.finish(recording->program, header, body);
    if (header.frames > 0 && !recording->target.commit(runFileBytes(header, body)))
        fprintf(stderr, "FAIL) Couldn't write the run %s: %s\n", recording->path.c_str(), strerror(errno));
    recording.reset();
}

// A replay that played ends; a run recorded from it ends with it, so that it
// holds the replayed frames alone.
void endReplay()
{
    replay.reset();
    if (recording)
        finishRecording();
}

// The run has played up to where the program differs from it.
void stopDiffering()
{
    const RunPlayer& player = replay->player;
    fprintf(stderr,
            "FAIL) Run %s stops at frame %u: it was recorded by another version and does not replay the same "
            "(the run holds the numbers %s, the program %s); real input takes over\n",
            replay->path.c_str(), player.frame(), listed(player.expected()).c_str(), listed(player.handed()).c_str());
    endReplay();
}

void stopAtEnd()
{
    const RunHeader& header = replay->header;
    if (header.finalNumbers.empty())
        printf("INFO) Run %s replayed to its end: %u frames; real input takes over\n", replay->path.c_str(),
               header.frames);
    else
        printf("PASS) Run %s replayed to its end: %u frames, final numbers %s; real input takes over\n",
               replay->path.c_str(), header.frames, listed(header.finalNumbers).c_str());
    fflush(stdout);
    endReplay();
}

uint32_t replayedFrame(uint32_t measured)
{
    if (!replay->programChecked) {
        replay->programChecked = true;
        if (runProgramName(caption) != replay->header.program) {
            fprintf(stderr, "FAIL) Run %s not replayed: it is a run of \"%s\", not of \"%s\"\n", replay->path.c_str(),
                    replay->header.program.c_str(), runProgramName(caption).c_str());
            replay.reset();
            return measured;
        }
    }
    uint32_t milliseconds = measured;
    switch (replay->player.beginFrame(milliseconds)) {
    case RunPlayer::Frame::Playing:
        return milliseconds;
    case RunPlayer::Frame::Ended:
        stopAtEnd();
        return measured;
    case RunPlayer::Frame::Differs:
        stopDiffering();
        return measured;
    }
    return measured;
}

} // namespace

int TQ_recordRun(const char* path)
{
    if (recording) {
        fprintf(stderr, "FAIL) Not recording into %s: a run is already being recorded into %s\n", path,
                recording->path.c_str());
        return -1;
    }
    if (replay && sameFile(path, replay->path)) {
        fprintf(stderr, "FAIL) Not recording into %s: it is the run being replayed\n", path);
        return -1;
    }
    std::unique_ptr<Recording> fresh = std::make_unique<Recording>(path);
    if (!fresh->target.isOpen()) {
        fprintf(stderr, "FAIL) Couldn't record the run into %s: %s\n", path, fresh->target.problem().c_str());
        return -1;
    }
    recording = std::move(fresh);
    endRunsAtExitOnce();
    return 0;
}

int TQ_replayRun(const char* path)
{
    RunHeader header;
    std::string body, problem;
    if (!readRunFile(path, header, body, problem)) {
        fprintf(stderr, "FAIL) Run %s not replayed: it %s\n", path, problem.c_str());
        return -1;
    }
    if (recording && sameFile(path, recording->path)) {
        fprintf(stderr, "FAIL) Run %s not replayed: it is the file this run is being recorded into\n", path);
        return -1;
    }
    replay = std::make_unique<Replay>(path, header, body);
    printf("INFO) Replaying the run %s: %s, %u frames, %s s, final numbers %s\n", path, header.program.c_str(),
           header.frames, secondsOf(header.milliseconds).c_str(), listed(header.finalNumbers).c_str());
    fflush(stdout);
    endRunsAtExitOnce();
    return 0;
}

void TQ_checkRun(std::initializer_list<int> numbers)
{
    if (!recording && !replay)
        return;
    std::vector<int32_t> handed(numbers.begin(), numbers.end());
    if (handed.size() > static_cast<size_t>(TQ_RUN_NUMBERS_MAX))
        handed.resize(TQ_RUN_NUMBERS_MAX);
    if (recording)
        recording->recorder.noteNumbers(handed);
    if (replay && replay->programChecked && !replay->player.check(handed))
        stopDiffering();
}

void TQ_endRun()
{
    replay.reset();
    if (recording)
        finishRecording();
}

void startRunsFromEnvironment()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    const char* replayPath = getenv("TORVANE_REPLAY");
    if (replayPath != NULL && *replayPath != '\0')
        TQ_replayRun(replayPath);
    const char* recordPath = getenv("TORVANE_RECORD");
    if (recordPath != NULL && *recordPath != '\0')
        TQ_recordRun(recordPath);
}

void noteRunCaption(const char* title)
{
    caption = title != NULL ? title : "";
}

uint32_t runFrameMilliseconds(uint32_t measured)
{
    // The frame before is complete, also when a replay recorded again ends here.
    if (recording)
        recording->recorder.endFrame();
    const uint32_t milliseconds = replay ? replayedFrame(measured) : measured;
    if (recording) {
        if (recording->program.empty())
            recording->program = runProgramName(caption);
        if (!recording->recorder.beginFrame(milliseconds)) {
            fprintf(stderr, "WARN) The run recorded into %s has grown to its largest size: it ends here\n",
                    recording->path.c_str());
            finishRecording();
        }
    }
    return milliseconds;
}

RunRecorder* recordingRun()
{
    return recording ? &recording->recorder : nullptr;
}

RunPlayer* replayingRun()
{
    return replay ? &replay->player : nullptr;
}

void stopWatchingRun()
{
    if (!replay)
        return;
    printf("INFO) Stopped watching the run %s at frame %u of %u\n", replay->path.c_str(), replay->player.frame(),
           replay->header.frames);
    fflush(stdout);
    endReplay();
}
