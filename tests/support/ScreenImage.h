#ifndef TEST_SCREEN_IMAGE_H
#define TEST_SCREEN_IMAGE_H

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

// The one colour of the tests: a pixel read from the window or a screenshot, or
// a texel of an image a test writes. Alpha matters only to what is written.
struct ScreenColour
{
    uint8_t r, g, b, a = 255;
};

// The largest difference of any colour channel; alpha is not compared.
inline int channelDifference(ScreenColour p, ScreenColour q)
{
    return std::max({std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)});
}

// Rendering and filtering may move a channel by a step or two.
inline bool isNear(ScreenColour actual, ScreenColour expected, int tolerance = 2)
{
    return channelDifference(actual, expected) <= tolerance;
}

inline std::string describe(ScreenColour colour)
{
    return "(" + std::to_string(colour.r) + "," + std::to_string(colour.g) + "," + std::to_string(colour.b) + ")";
}

// A picture of the window: RGB bytes, top row first.
struct ScreenImage
{
    ScreenImage(int width, int height) : width(width), height(height), rgb(static_cast<size_t>(width) * height * 3, 0) {}

    ScreenColour at(int x, int y) const
    {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return ScreenColour{p[0], p[1], p[2]};
    }

    void set(int x, int y, ScreenColour colour)
    {
        uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        p[0] = colour.r;
        p[1] = colour.g;
        p[2] = colour.b;
    }

    int width;
    int height;
    std::vector<uint8_t> rgb;
};

// The largest difference of any channel of any pixel in the rectangle [left, right) x [top, bottom).
inline int largestDifference(const ScreenImage& a, const ScreenImage& b, int left, int top, int right, int bottom)
{
    int largest = 0;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            largest = std::max(largest, channelDifference(a.at(x, y), b.at(x, y)));
    return largest;
}

#endif
