#ifndef TEST_SIGHTING_H
#define TEST_SIGHTING_H

#include "BmpFile.h"

// The score line and the row of life icons take the top 52 rows of a frame.
const int kBelowTheHud = 52;
// The pig flies in the left 80 columns.
const int kPigColumnsEnd = 80;

// The pig's pink: strong red, middling green, a little more blue than green.
inline bool isPigPink(ScreenColour c)
{
    return c.r >= 200 && c.g >= 110 && c.g <= 190 && c.b >= 130 && c.b <= 215 && c.b >= c.g && c.r - c.b >= 25;
}

// How many pixels of one kind a part of a screenshot holds, and their mean row.
struct Sighting
{
    int pixels = 0;
    double centreY = 0.0;
};

// The pixels for which matches holds, in columns [left, right) and rows [top, bottom).
template <typename Matches>
Sighting sight(const BmpFile& shot, int left, int right, int top, int bottom, Matches matches)
{
    Sighting sighting;
    double rowSum = 0.0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            if (matches(shot.at(x, y))) {
                ++sighting.pixels;
                rowSum += y;
            }
    if (sighting.pixels > 0)
        sighting.centreY = rowSum / sighting.pixels;
    return sighting;
}

// The pig below the score line and the life icons, from column left onwards.
inline Sighting findPig(const BmpFile& shot, int left = 0)
{
    return sight(shot, left, kPigColumnsEnd, kBelowTheHud, shot.height, isPigPink);
}

#endif
