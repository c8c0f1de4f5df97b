#include "RunStream.h"

#include <algorithm>

namespace {

// The first byte of each item. A frame shorter than kShortFrames milliseconds,
// the common case, is that one byte.
const uint8_t kShortFrames = 232;
const uint8_t kLongFrame = 232;
const uint8_t kEvent = 233;
const uint8_t kEmptyPoll = 234;
const uint8_t kKeysAtPoll = 235;
const uint8_t kKeysAtRead = 236;
const uint8_t kNumbers = 237;
const uint8_t kEnd = 238;

// Numbers are written seven bits a byte, lowest first, the high bit saying
// more follow; a 32-bit number takes at most five bytes.
const int kNumberBytesMax = 5;

const int kFieldCounts[] = {0, 3, 3, 5, 3, 3, 2, 0};

bool typeOfCode(uint8_t code, RunItem::Type& type)
{
    static const RunItem::Type kTypes[] = {RunItem::Frame,      RunItem::Event,      RunItem::EmptyPoll,
                                           RunItem::KeysAtPoll, RunItem::KeysAtRead, RunItem::Numbers,
                                           RunItem::End};
    if (code < kShortFrames) {
        type = RunItem::Frame;
        return true;
    }
    if (code > kEnd)
        return false;
    type = kTypes[code - kLongFrame];
    return true;
}

uint32_t zigzag(int32_t value)
{
    return (static_cast<uint32_t>(value) << 1) ^ static_cast<uint32_t>(value < 0 ? -1 : 0);
}

int32_t unzigzag(uint32_t value)
{
    return static_cast<int32_t>((value >> 1) ^ (0u - (value & 1)));
}

// Reads from a body, never past its end.
class ByteCursor
{
public:
    ByteCursor(const std::string& in, size_t& at) : in(in), at(at) {}

    bool byte(uint8_t& value)
    {
        if (at >= in.size())
            return false;
        value = static_cast<uint8_t>(in[at++]);
        return true;
    }

    bool number(uint32_t& value)
    {
        value = 0;
        for (int i = 0; i < kNumberBytesMax; ++i) {
            uint8_t b;
            if (!byte(b))
                return false;
            // The fifth byte holds the top four bits only.
            if (i == kNumberBytesMax - 1 && b > 0x0f)
                return false;
            value |= static_cast<uint32_t>(b & 0x7f) << (7 * i);
            if ((b & 0x80) == 0)
                return true;
        }
        return false;
    }

    bool signedNumber(int32_t& value)
    {
        uint32_t raw;
        if (!number(raw))
            return false;
        value = unzigzag(raw);
        return true;
    }

    // A count of 1 to most.
    bool count(uint32_t most, uint32_t& value) { return number(value) && value >= 1 && value <= most; }

private:
    const std::string& in;
    size_t& at;
};

bool readEvent(ByteCursor& cursor, RunEvent& event)
{
    uint8_t kind;
    if (!cursor.byte(kind) || kind < RunEvent::KeyDown || kind > RunEvent::Quit)
        return false;
    event = RunEvent();
    event.kind = static_cast<RunEvent::Kind>(kind);
    for (int i = 0; i < runEventFieldCount(kind); ++i)
        if (!cursor.signedNumber(event.field[i]))
            return false;
    // A key event's key is a run key number like those of the held keys.
    return (kind != RunEvent::KeyDown && kind != RunEvent::KeyUp) || (event.field[0] >= 0 && event.field[0] < kRunKeyCount);
}

bool readKeys(ByteCursor& cursor, std::vector<RunKeyChange>& keys)
{
    uint32_t count;
    if (!cursor.count(kRunKeyCount, count))
        return false;
    keys.clear();
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t change;
        if (!cursor.number(change) || change >= 2u * kRunKeyCount)
            return false;
        keys.push_back(RunKeyChange{static_cast<int>(change >> 1), (change & 1) != 0});
    }
    return true;
}

bool readNumbers(ByteCursor& cursor, std::vector<int32_t>& numbers)
{
    uint32_t count;
    if (!cursor.count(kRunNumbersMax, count))
        return false;
    numbers.assign(count, 0);
    for (int32_t& value : numbers)
        if (!cursor.signedNumber(value))
            return false;
    return true;
}

} // namespace

int runEventFieldCount(int kind)
{
    return kind >= 0 && kind <= RunEvent::Quit ? kFieldCounts[kind] : 0;
}

bool operator==(const RunEvent& a, const RunEvent& b)
{
    return a.kind == b.kind && std::equal(a.field, a.field + RunEvent::kFieldsMax, b.field);
}

void RunStreamWriter::number(uint32_t value)
{
    while (value >= 0x80) {
        out.push_back(static_cast<char>((value & 0x7f) | 0x80));
        value >>= 7;
    }
    out.push_back(static_cast<char>(value));
}

void RunStreamWriter::signedNumber(int32_t value)
{
    number(zigzag(value));
}

void RunStreamWriter::add(const RunItem& item)
{
    switch (item.type) {
    case RunItem::Frame:
        if (item.milliseconds < kShortFrames) {
            out.push_back(static_cast<char>(item.milliseconds));
        } else {
            out.push_back(static_cast<char>(kLongFrame));
            number(item.milliseconds);
        }
        return;
    case RunItem::Event:
        out.push_back(static_cast<char>(kEvent));
        out.push_back(static_cast<char>(item.event.kind));
        for (int i = 0; i < runEventFieldCount(item.event.kind); ++i)
            signedNumber(item.event.field[i]);
        return;
    case RunItem::EmptyPoll:
        out.push_back(static_cast<char>(kEmptyPoll));
        return;
    case RunItem::KeysAtPoll:
    case RunItem::KeysAtRead:
        out.push_back(static_cast<char>(item.type == RunItem::KeysAtPoll ? kKeysAtPoll : kKeysAtRead));
        number(static_cast<uint32_t>(item.keys.size()));
        for (const RunKeyChange& change : item.keys)
            number(static_cast<uint32_t>(change.key) << 1 | (change.held ? 1 : 0));
        return;
    case RunItem::Numbers:
        out.push_back(static_cast<char>(kNumbers));
        number(static_cast<uint32_t>(item.numbers.size()));
        for (const int32_t value : item.numbers)
            signedNumber(value);
        return;
    case RunItem::End:
        out.push_back(static_cast<char>(kEnd));
        return;
    }
}

bool RunStreamReader::peek(RunItem::Type& type) const
{
    return position < in.size() && typeOfCode(static_cast<uint8_t>(in[position]), type);
}

bool RunStreamReader::next(RunItem& item)
{
    size_t at = position;
    if (!readItem(at, item))
        return false;
    position = at;
    return true;
}

bool RunStreamReader::readItem(size_t& at, RunItem& item) const
{
    ByteCursor cursor(in, at);
    uint8_t code;
    if (!cursor.byte(code) || !typeOfCode(code, item.type))
        return false;
    switch (item.type) {
    case RunItem::Frame:
        item.milliseconds = code;
        return code < kShortFrames || cursor.number(item.milliseconds);
    case RunItem::Event:
        return readEvent(cursor, item.event);
    case RunItem::KeysAtPoll:
    case RunItem::KeysAtRead:
        return readKeys(cursor, item.keys);
    case RunItem::Numbers:
        return readNumbers(cursor, item.numbers);
    case RunItem::EmptyPoll:
    case RunItem::End:
        return true;
    }
    return false;
}
