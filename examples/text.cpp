// Example: text
//
// Shows:  the bitmap font in colours, left-aligned and right-aligned lines,
//         several lines from one string (a backslash breaks the line), the
//         opacity of a print, and a live sprint counter of frames and frame time.
// Keys:   Space moves every colour one line down; Escape or closing the window quits.
// Uses:   VeskBitmapFont (print, rightAlignPrint, sprint, setFontColour,
//         getLineHeight); the application layer (TQ_run's frame time,
//         TQ_textWidth); the platform layer (TQ_getTicks and the local date
//         and time).
// Run:    build/example_text, from the examples folder (see README.md).

#include <cmath>

#include "ExampleWindow.h"

namespace {

struct Colour
{
    const char* name;
    unsigned char red, green, blue;
};

const Colour kColours[] = {
    {"apple red", 236, 84, 78},  {"sunflower", 250, 204, 72}, {"meadow green", 118, 212, 104},
    {"sky blue", 96, 176, 250},  {"lilac", 196, 150, 240},
};
const int kColourCount = sizeof kColours / sizeof kColours[0];
const int kLeft = 32;
const int kRight = 608;

// One line per colour; shift says which colour the first line takes.
void drawColourLines(VeskBitmapFont& font, int shift, int top)
{
    font.print("setFontColour:", kLeft, top);
    for (int line = 0; line < kColourCount; ++line) {
        const Colour& colour = kColours[(line + shift) % kColourCount];
        font.setFontColour(colour.red, colour.green, colour.blue);
        font.sprint(kLeft + 16, top + (line + 1) * font.getLineHeight(), "%s (%d, %d, %d)", colour.name,
                    colour.red, colour.green, colour.blue);
    }
    font.setFontColour(255, 255, 255);  // the colour holds until it is changed
}

void drawRightAligned(VeskBitmapFont& font, int top)
{
    const char* lines[] = {"rightAlignPrint:", "every line", "ends at the same x,", "however long it is"};
    for (int i = 0; i < 4; ++i)
        font.rightAlignPrint(lines[i], kRight, top + i * font.getLineHeight());
}

// The same word at falling opacity, and one that breathes in and out.
void drawOpacity(VeskBitmapFont& font, float seconds, int top)
{
    font.print("print with an alpha:", kLeft, top);
    const float alphas[] = {1.0f, 0.7f, 0.4f, 0.15f};
    for (int i = 0; i < 4; ++i)
        font.print("pig", kLeft + 16 + i * 56, top + font.getLineHeight(), alphas[i]);
    font.print("breathing", kLeft + 250, top + font.getLineHeight(), 0.55f + 0.45f * sinf(seconds * 3.0f));
}

} // namespace

int main(int, char**)
{
    std::unique_ptr<VeskBitmapFont> font = startExample("text");
    if (!font)
        return 1;

    int shift = 0;
    long frames = 0;
    float seconds = 0.0f;
    TQ_run(
        [&](float delta) {
            seconds += delta;
            ++frames;
            font->setFontColour(250, 204, 72);
            font->print("Torvane Quillet: text with VeskBitmapFont", kLeft, 24);
            font->setFontColour(255, 255, 255);
            drawColourLines(*font, shift, 72);
            drawRightAligned(*font, 72);
            // Its widest line ends where the right-aligned lines above end.
            const char* threeLines = "One string,\\three lines:\\a backslash breaks them.";
            font->print(threeLines, kRight - TQ_textWidth(*font, threeLines), 200);
            drawOpacity(*font, seconds, 288);
            font->sprint(kLeft, 360, "sprint: frame %ld, frame time %.0f ms, %.1f s running", frames,
                         delta * 1000.0f, seconds);
            font->sprint(kLeft, 384, "TQ_getTicks %u ms, local time %04d-%02d-%02d %02d:%02d", TQ_getTicks(),
                         TQ_getYear(), TQ_getMonth() + 1, TQ_getDay(), TQ_getHour(), TQ_getMinute());
            font->print("Space: shift the colours     Escape: quit", kLeft, 440, 0.6f);
            return true;
        },
        [&](const SDL_Event& event) {
            if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_SPACE)
                shift = (shift + 1) % kColourCount;
        });
    return 0;
}
