#ifndef TORVANE_RUNSTREAM_H
#define TORVANE_RUNSTREAM_H

// A run's body before packing: one item after another, in the order the
// program met them. A frame begins with its frame time; then come, as the
// program polled and read them, the events it was given, the empty polls,
// the changes of the held keys it saw and the numbers it handed in to be
// checked; an end marker closes the run. Internal to the engine.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Key numbers in a run are the desktop SDL 1.2 key symbols, 0 to 322, on every build.
const int kRunKeyCount = 323;
// The most numbers a program may hand in to be checked in one call.
const int kRunNumbersMax = 8;

// An event as a run keeps it: by meaning, not by the bytes of one SDL's event
// record, which differ between builds. The fields by kind:
//   KeyDown, KeyUp: key (a run key number), modifiers, unicode character
//   MouseMotion: x, y, x and y moved by, buttons held
//   ButtonDown, ButtonUp: button, x, y
//   Focus: gained (1) or lost (0), which focus
//   Quit: none
struct RunEvent
{
    enum Kind : uint8_t { KeyDown = 1, KeyUp, MouseMotion, ButtonDown, ButtonUp, Focus, Quit };
    static constexpr int kFieldsMax = 5;

    Kind kind = Quit;
    int32_t field[kFieldsMax] = {};
};

// How many fields an event of the kind has; 0 for Quit, and for a kind no run knows.
int runEventFieldCount(int kind);
bool operator==(const RunEvent& a, const RunEvent& b);

// A key that came to be held or was let go.
struct RunKeyChange
{
    int key;   // a run key number
    bool held; // true: now held
};

// One item of a run.
struct RunItem
{
    enum Type {
        Frame,        // milliseconds: a frame begins
        Event,        // event: a poll gave it
        EmptyPoll,    // a poll found no event
        KeysAtPoll,   // keys: a poll changed the held keys
        KeysAtRead,   // keys: the held keys had changed when the program read them
        Numbers,      // numbers: handed in to be checked
        End,          // the run ends
    };

    Type type = End;
    uint32_t milliseconds = 0;
    RunEvent event;
    std::vector<RunKeyChange> keys;
    std::vector<int32_t> numbers;
};

// Appends items to a run's body.
class RunStreamWriter
{
public:
    void add(const RunItem& item);
    const std::string& bytes() const { return out; }
    // Drops everything from the given size on: a frame that never finished.
    void cut(size_t size) { out.resize(size); }

private:
    void number(uint32_t value);
    void signedNumber(int32_t value);

    std::string out;
};

// Reads the items of a run's body, checking each.
class RunStreamReader
{
public:
    explicit RunStreamReader(const std::string& bytes) : in(bytes) {}

    // Reads the next item; false at the end of the bytes or at a damaged item,
    // where the reader then stays.
    bool next(RunItem& item);
    // The next item's type without reading it; false where next() would fail.
    bool peek(RunItem::Type& type) const;
    bool atEnd() const { return position == in.size(); }

private:
    bool readItem(size_t& at, RunItem& item) const;

    const std::string& in;
    size_t position = 0;
};

#endif
