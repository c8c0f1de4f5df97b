// Run key numbers (the desktop's SDL 1.2 key symbols) for the browser's SDL,
// whose symbols are characters below 128, as on the desktop, and the physical
// key's code plus 1024 for the others.

#include <vector>

#include "SDL.h"

#include "RunKeys.h"
#include "RunStream.h"

namespace {

// The browser keeps the held keys in an array of this many entries.
const int kBrowserKeyCount = 0x10000;
const int kCharacters = 128;

// Keys without a character: the browser's first symbol of a run of them, the
// run key number of the same first key, and how many follow one to one.
struct KeyRange
{
    int browser;
    int run;
    int count;
};

const KeyRange kRanges[] = {
    {SDLK_KP_0, 256, 1},        {SDLK_KP_1, 257, 9},        {SDLK_KP_PERIOD, 266, 1},  {SDLK_KP_DIVIDE, 267, 5},
    {SDLK_UP, 273, 1},          {SDLK_DOWN, 274, 1},        {SDLK_RIGHT, 275, 1},      {SDLK_LEFT, 276, 1},
    {SDLK_INSERT, 277, 1},      {SDLK_HOME, 278, 1},        {SDLK_END, 279, 1},        {SDLK_PAGEUP, 280, 1},
    {SDLK_PAGEDOWN, 281, 1},    {SDLK_F1, 282, 12},         {SDLK_F13, 294, 3},        {SDLK_NUMLOCKCLEAR, 300, 1},
    {SDLK_CAPSLOCK, 301, 1},    {SDLK_SCROLLLOCK, 302, 1},  {SDLK_RSHIFT, 303, 1},     {SDLK_LSHIFT, 304, 1},
    {SDLK_RCTRL, 305, 1},       {SDLK_LCTRL, 306, 1},       {SDLK_RALT, 307, 1},       {SDLK_LALT, 308, 1},
    {SDLK_LGUI, 311, 1},        {SDLK_RGUI, 312, 1},        {316, 316, 1}, // print screen, as the browser numbers it
    {SDLK_APPLICATION, 319, 1},
};

// Both ways, built once: run key number to browser symbol, and back.
struct KeyTables
{
    KeyTables() : browserOf(kRunKeyCount, -1), runOf(kBrowserKeyCount, -1)
    {
        for (int key = 0; key < kCharacters; ++key)
            pair(key, key);
        for (const KeyRange& range : kRanges)
            for (int i = 0; i < range.count; ++i)
                pair(range.browser + i, range.run + i);
    }

    void pair(int browser, int run)
    {
        browserOf[run] = browser;
        runOf[browser] = run;
    }

    std::vector<int> browserOf;
    std::vector<int> runOf;
};

const KeyTables& tables()
{
    static const KeyTables built;
    return built;
}

} // namespace

int runKeyFromNative(int key)
{
    return key >= 0 && key < kBrowserKeyCount ? tables().runOf[key] : -1;
}

int nativeKeyFromRun(int key)
{
    return key >= 0 && key < kRunKeyCount ? tables().browserOf[key] : -1;
}

int nativeKeyCount()
{
    return kBrowserKeyCount;
}
