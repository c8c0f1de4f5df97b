#ifndef TORVANE_EXAMPLE_WINDOW_H
#define TORVANE_EXAMPLE_WINDOW_H

// What every example shares: its window, captioned so that the tests and the
// picture script find it, on a slate background, and the kit's font.

#include <memory>
#include <string>

#include "TorvaneApp.h"
#include "VeskBitmapFont.h"

const int kExampleWidth = 640;
const int kExampleHeight = 480;

// Opens the 640 x 480 window "Torvane Quillet example: <name>" and loads the
// font; null, after saying why, when either is missing.
inline std::unique_ptr<VeskBitmapFont> startExample(const char* name)
{
    if (TQ_openWindow(kExampleWidth, kExampleHeight, ("Torvane Quillet example: " + std::string(name)).c_str()) != 0)
        return nullptr;
    // A deep slate instead of black, so the font's near-black outline shows.
    TQ_setClearColour({0.09f, 0.11f, 0.17f, 1.0f});
    return TQ_loadFont();
}

#endif
