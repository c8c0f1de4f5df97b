#include <cstdlib>
#include <string>

#include "FuzzInput.h"
#include "RunFile.h"
#include "RunPlayer.h"

namespace {

// Plays an accepted run through, polling and reading the keys in every frame
// and handing in numbers: it must come to its end within its frames.
void playThrough(const RunHeader& header, const std::string& body)
{
    RunPlayer player(body, header.finalNumbers);
    uint32_t milliseconds = 0;
    for (uint64_t frame = 0; frame <= header.frames; ++frame) {
        if (player.beginFrame(milliseconds) != RunPlayer::Frame::Playing)
            return;
        RunEvent event;
        while (player.poll(event))
            if (runEventFieldCount(event.kind) > RunEvent::kFieldsMax)
                abort();
        player.readKeys();
        player.check({1, 2, 3});
    }
    abort();
}

} // namespace

// The input as a whole file, read as the engine reads a run; and as the items
// of a body, packed into a file with a header that fits them, which must read
// back the same.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    RunHeader header;
    std::string body, problem;
    if (readRunFile(input.name(), header, body, problem))
        playThrough(header, body);

    const std::string items(reinterpret_cast<const char*>(data), size);
    RunStreamReader reader(items);
    RunItem item;
    RunHeader fitting;
    fitting.program = "fuzz";
    bool ended = false;
    while (!ended && reader.next(item)) {
        ended = item.type == RunItem::End;
        if (item.type == RunItem::Frame) {
            ++fitting.frames;
            fitting.milliseconds += item.milliseconds;
        }
    }
    const bool whole = ended && reader.atEnd();
    const bool read = parseRunFile(runFileBytes(fitting, items), header, body, problem);
    if (read != whole || (read && body != items))
        abort();
    if (read)
        playThrough(header, body);
    return 0;
}
