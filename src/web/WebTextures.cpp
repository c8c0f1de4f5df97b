// The engine's textures in the browser: its images gathered into pages, its
// texture names mapped to regions of them, and glBindTexture and
// glTexParameteri on those names.

#include "WebTextures.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include <webgl/webgl1.h>

#include "WebRenderer.h"
#include "WebWarnings.h"

namespace {

// Images up to this side share pages of kPageSide; a larger one gets a page of
// its own, of the next power-of-two size, which WebGL needs for mipmaps.
const int kGatherLimit = 256;
const int kPageSide = 1024;
// Around each shared image: copies of its opposite edges, so that linear
// filtering at an edge mixes what the desktop's repeating texture mixes and
// never a neighbour; 8 leaves a texel of them in the eighth-size mipmap.
const int kPadding = 8;
const int kRgba = 4;
const int kWhiteSide = 2;

struct Page {
    GLuint name = 0;
    int width = 0;
    int height = 0;
    // Shelf packing: cells fill a row left to right, the next row starts under the tallest.
    int shelfX = 0;
    int shelfY = 0;
    int shelfHeight = 0;
    bool mipmapsStale = false;

    // Room for a cell: its top-left corner, or false when the page is full.
    bool place(int cellWidth, int cellHeight, int& x, int& y)
    {
        if (shelfX + cellWidth > width) {
            shelfY += shelfHeight;
            shelfX = 0;
            shelfHeight = 0;
        }
        if (cellWidth > width || shelfY + cellHeight > height)
            return false;
        x = shelfX;
        y = shelfY;
        shelfX += cellWidth;
        shelfHeight = std::max(shelfHeight, cellHeight);
        return true;
    }
};

struct Atlas {
    std::vector<Page> pages;
    int sharedPage = -1;
    std::unordered_map<GLuint, TextureRegion> regions; // by the engine's texture name
    GLuint bound = 0;
    TextureRegion white;
    bool whiteStored = false;
};

Atlas& atlas()
{
    static Atlas state;
    return state;
}

int nextPowerOfTwo(int side)
{
    int power = 1;
    while (power < side)
        power *= 2;
    return power;
}

int newPage(int width, int height)
{
    Page page;
    page.width = width;
    page.height = height;
    emscripten_glGenTextures(1, &page.name);
    emscripten_glBindTexture(GL_TEXTURE_2D, page.name);
    emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, NULL);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    atlas().pages.push_back(page);
    return static_cast<int>(atlas().pages.size()) - 1;
}

// A page with room for the cell, and where in it.
int sharedPageWithRoom(int cellWidth, int cellHeight, int& x, int& y)
{
    Atlas& state = atlas();
    if (state.sharedPage < 0 || !state.pages[state.sharedPage].place(cellWidth, cellHeight, x, y)) {
        state.sharedPage = newPage(kPageSide, kPageSide);
        state.pages[state.sharedPage].place(cellWidth, cellHeight, x, y);
    }
    return state.sharedPage;
}

int wrap(int coordinate, int side)
{
    return (coordinate % side + side) % side;
}

// The image inside a frame of `padding` texels that continues it round its edges.
std::vector<unsigned char> framed(const unsigned char* rgba, int width, int height, int padding)
{
    const int cellWidth = width + 2 * padding;
    const int cellHeight = height + 2 * padding;
    std::vector<unsigned char> cell(static_cast<size_t>(cellWidth) * cellHeight * kRgba);
    unsigned char* target = cell.data();
    for (int y = 0; y < cellHeight; ++y) {
        const unsigned char* row = rgba + static_cast<size_t>(wrap(y - padding, height)) * width * kRgba;
        for (int x = 0; x < cellWidth; ++x, target += kRgba)
            memcpy(target, row + wrap(x - padding, width) * kRgba, kRgba);
    }
    return cell;
}

TextureRegion storeImage(int width, int height, const unsigned char* rgba)
{
    const bool gathered = width <= kGatherLimit && height <= kGatherLimit;
    const int padding = gathered ? kPadding : 0;
    int x = 0;
    int y = 0;
    const int index = gathered ? sharedPageWithRoom(width + 2 * padding, height + 2 * padding, x, y)
                               : newPage(nextPowerOfTwo(width), nextPowerOfTwo(height));
    Page& page = atlas().pages[index];
    const std::vector<unsigned char> cell = framed(rgba, width, height, padding);
    emscripten_glBindTexture(GL_TEXTURE_2D, page.name);
    emscripten_glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, width + 2 * padding, height + 2 * padding, GL_RGBA,
                               GL_UNSIGNED_BYTE, cell.data());
    page.mipmapsStale = true;

    TextureRegion region;
    region.page = index;
    region.u0 = static_cast<float>(x + padding) / page.width;
    region.v0 = static_cast<float>(y + padding) / page.height;
    region.du = static_cast<float>(width) / page.width;
    region.dv = static_cast<float>(height) / page.height;
    return region;
}

const TextureRegion& whiteRegion()
{
    Atlas& state = atlas();
    if (!state.whiteStored) {
        const std::vector<unsigned char> white(kWhiteSide * kWhiteSide * kRgba, 255);
        state.white = storeImage(kWhiteSide, kWhiteSide, white.data());
        state.whiteStored = true;
    }
    return state.white;
}

} // namespace

void webStoreTexture(GLuint texture, int width, int height, const unsigned char* rgba)
{
    webFlushDrawing(); // what waits may sample the page about to change
    atlas().regions[texture] = storeImage(width, height, rgba);
}

TextureRegion webDrawingRegion(bool texturing)
{
    const Atlas& state = atlas();
    if (texturing) {
        const auto found = state.regions.find(state.bound);
        if (found != state.regions.end())
            return found->second;
    }
    return whiteRegion();
}

void webUsePage(int index)
{
    Page& page = atlas().pages[index];
    emscripten_glBindTexture(GL_TEXTURE_2D, page.name);
    if (page.mipmapsStale) {
        emscripten_glGenerateMipmap(GL_TEXTURE_2D);
        page.mipmapsStale = false;
    }
}

void glBindTexture(GLenum target, GLuint texture)
{
    if (target != GL_TEXTURE_2D)
        webWarnOnce("glBindTexture(0x%04X)", target);
    else
        atlas().bound = texture;
}

// Every page filters linearly both ways, which is all the engine asks of a texture.
void glTexParameteri(GLenum target, GLenum name, GLint value)
{
    const bool filter = name == GL_TEXTURE_MIN_FILTER || name == GL_TEXTURE_MAG_FILTER;
    if (target != GL_TEXTURE_2D || !filter || value != GL_LINEAR)
        webWarnOnce("glTexParameteri(0x%04X) other than linear filtering", name);
}
