#ifndef TEST_SCREEN_IMAGE_H
#define TEST_SCREEN_IMAGE_H

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <vector>

struct ScreenColour
{
    uint8_t r, g, b;
};

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
        for (int x = left; x < right; ++x) {
            const ScreenColour p = a.at(x, y);
            const ScreenColour q = b.at(x, y);
            largest = std::max({largest, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)});
        }
    return largest;
}

#endif
