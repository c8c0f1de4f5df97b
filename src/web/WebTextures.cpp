// The engine's textures in the browser: its images gathered into pages, its
// texture names mapped to regions of them, and glGenTextures, glDeleteTextures,
// glBindTexture and glTexParameteri on those names. Each page keeps its pixels,
// so that its texture can be made again after a lost context.

#include "WebTextures.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>
#include <vector>

#include <webgl/webgl1.h>

#include "WebContextLoss.h"
#include "WebRenderer.h"
#include "WebWarnings.h"

namespace {

// Images up to this side share pages of kPageSide; a larger one gets a page of its own.
const int kGatherLimit = 256;
const int kPageSide = 1024;
// Around each image: a texel of copies of its opposite edges, so that linear
// filtering at an edge mixes what the desktop's repeating texture mixes and
// never a neighbour. Linear filtering samples no mipmaps, so none are made.
const int kPadding = 1;
const int kRgba = 4;
const int kWhiteSide = 2;

struct Page {
    GLuint name = 0;
    int generation = 0; // of the context that `name` was made in
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels; // R, G, B, A, the top row first
    // Shelf packing: cells fill a row left to right, the next row starts under the tallest.
    int shelfX = 0;
    int shelfY = 0;
    int shelfHeight = 0;

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
    GLuint lastName = 0; // the engine's texture names are the atlas's own
};

Atlas& atlas()
{
    static Atlas state;
    return state;
}

// Makes the page's texture in the current context, bound, from the pixels it
// keeps: initialised whole, so that no browser has to clear it lazily. Clamped,
// which WebGL asks of a page whose sides are not powers of two.
void makeTexture(Page& page)
{
    emscripten_glGenTextures(1, &page.name);
    emscripten_glBindTexture(GL_TEXTURE_2D, page.name);
    emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, page.width, page.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                            page.pixels.data());
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    page.generation = webContextGeneration();
}

// Binds the page's texture, made again first if its context has been lost since.
void bindPage(Page& page)
{
    if (page.generation == webContextGeneration())
        emscripten_glBindTexture(GL_TEXTURE_2D, page.name);
    else
        makeTexture(page);
}

int newPage(int width, int height)
{
    Page page;
    page.width = width;
    page.height = height;
    page.pixels.assign(static_cast<size_t>(width) * height * kRgba, 0);
    makeTexture(page);
    atlas().pages.push_back(std::move(page));
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
    const int cellWidth = width + 2 * kPadding;
    const int cellHeight = height + 2 * kPadding;
    int x = 0;
    int y = 0;
    const int index = width <= kGatherLimit && height <= kGatherLimit ? sharedPageWithRoom(cellWidth, cellHeight, x, y)
                                                                      : newPage(cellWidth, cellHeight);
    Page& page = atlas().pages[index];
    const std::vector<unsigned char> cell = framed(rgba, width, height, kPadding);
    const size_t rowBytes = static_cast<size_t>(cellWidth) * kRgba;
    for (int row = 0; row < cellHeight; ++row) {
        unsigned char* pageRow = &page.pixels[((static_cast<size_t>(y) + row) * page.width + x) * kRgba];
        memcpy(pageRow, &cell[row * rowBytes], rowBytes);
    }
    bindPage(page);
    emscripten_glTexSubImage2D(GL_TEXTURE_2D, 0, x, y, cellWidth, cellHeight, GL_RGBA, GL_UNSIGNED_BYTE, cell.data());

    TextureRegion region;
    region.page = index;
    region.u0 = static_cast<float>(x + kPadding) / page.width;
    region.v0 = static_cast<float>(y + kPadding) / page.height;
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
    bindPage(atlas().pages[index]);
}

// A name stands for a region of a page, so it needs no texture of WebGL's (nor
// a context to make one in, which a lost one would refuse).
void glGenTextures(GLsizei count, GLuint* names)
{
    for (GLsizei i = 0; i < count; ++i)
        names[i] = ++atlas().lastName;
}

// The names' regions are forgotten; their room in the pages stays taken.
void glDeleteTextures(GLsizei count, const GLuint* names)
{
    for (GLsizei i = 0; i < count; ++i)
        atlas().regions.erase(names[i]);
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
