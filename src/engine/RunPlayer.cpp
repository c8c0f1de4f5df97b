#include "RunPlayer.h"

RunPlayer::RunPlayer(const std::string& runBody, const std::vector<int32_t>& final)
    : body(runBody), reader(body), finalNumbers(final)
{
}

bool RunPlayer::nextIs(RunItem::Type type)
{
    RunItem::Type next;
    return reader.peek(next) && next == type;
}

void RunPlayer::applyKeys(RunItem::Type when)
{
    RunItem item;
    while (nextIs(when) && reader.next(item))
        for (const RunKeyChange& change : item.keys)
            held[change.key] = change.held ? 1 : 0;
}

RunPlayer::Frame RunPlayer::beginFrame(uint32_t& milliseconds)
{
    // What the program left unread of the frame before is passed over; numbers
    // it did not hand in are a difference.
    RunItem item;
    while (reader.next(item) && item.type != RunItem::Frame && item.type != RunItem::End)
        if (item.type == RunItem::Numbers) {
            expectedNumbers = item.numbers;
            return Frame::Differs;
        }
    if (item.type == RunItem::Frame) {
        ++frames;
        numbersThisFrame.clear();
        milliseconds = item.milliseconds;
        return Frame::Playing;
    }
    // The run's last frame is complete: the program's numbers there are the run's final ones.
    if (numbersThisFrame != finalNumbers) {
        expectedNumbers = finalNumbers;
        return Frame::Differs;
    }
    return Frame::Ended;
}

bool RunPlayer::poll(RunEvent& event)
{
    applyKeys(RunItem::KeysAtPoll);
    RunItem item;
    if (nextIs(RunItem::EmptyPoll)) {
        reader.next(item);
        return false;
    }
    if (!nextIs(RunItem::Event) || !reader.next(item))
        return false;
    event = item.event;
    return true;
}

bool RunPlayer::eventWaiting()
{
    applyKeys(RunItem::KeysAtPoll);
    return nextIs(RunItem::Event);
}

void RunPlayer::readKeys()
{
    applyKeys(RunItem::KeysAtRead);
}

bool RunPlayer::check(const std::vector<int32_t>& numbers)
{
    numbersThisFrame = numbers;
    RunItem item;
    if (!nextIs(RunItem::Numbers) || !reader.next(item) || item.numbers == numbers)
        return true;
    expectedNumbers = item.numbers;
    return false;
}
