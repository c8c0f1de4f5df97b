#include "RunRecorder.h"

namespace {

// Room kept for the largest frame's items and the end, so a run never grows past what a reader takes.
const size_t kFrameRoom = 4096;

} // namespace

void RunRecorder::endFrame()
{
    if (!inFrame)
        return;
    ++completeFrames;
    completeMilliseconds = milliseconds;
    numbersLastFrame = numbersThisFrame;
    numbersThisFrame.clear();
    inFrame = false;
}

bool RunRecorder::beginFrame(uint32_t frameTime)
{
    endFrame();
    if (writer.bytes().size() + kFrameRoom > kRunBodyMax)
        return false;
    frameStart = writer.bytes().size();
    RunItem frame;
    frame.type = RunItem::Frame;
    frame.milliseconds = frameTime;
    writer.add(frame);
    inFrame = true;
    checkFrame = milliseconds / kRunCheckEvery != (milliseconds + frameTime) / kRunCheckEvery;
    milliseconds += frameTime;
    return true;
}

void RunRecorder::notePoll(const RunEvent* event)
{
    RunItem item;
    item.type = event != nullptr ? RunItem::Event : RunItem::EmptyPoll;
    if (event != nullptr)
        item.event = *event;
    writer.add(item);
}

void RunRecorder::noteKeys(const uint8_t (&now)[kRunKeyCount], RunItem::Type when)
{
    RunItem item;
    item.type = when;
    for (int key = 0; key < kRunKeyCount; ++key)
        if ((now[key] != 0) != (held[key] != 0)) {
            held[key] = now[key] != 0;
            item.keys.push_back(RunKeyChange{key, held[key] != 0});
        }
    if (!item.keys.empty())
        writer.add(item);
}

void RunRecorder::noteNumbers(const std::vector<int32_t>& numbers)
{
    numbersThisFrame = numbers;
    if (!checkFrame)
        return;
    RunItem item;
    item.type = RunItem::Numbers;
    item.numbers = numbers;
    writer.add(item);
}

void RunRecorder::finish(const std::string& program, RunHeader& header, std::string& body)
{
    if (inFrame)
        writer.cut(frameStart);
    inFrame = false;
    RunItem end;
    end.type = RunItem::End;
    writer.add(end);
    header.program = program;
    header.frames = completeFrames;
    header.milliseconds = completeMilliseconds;
    header.finalNumbers = numbersLastFrame;
    body = writer.bytes();
}
