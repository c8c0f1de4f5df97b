#include "VeskBitmapFont.h"

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "SDL.h"

#include "ImageTexture.h"
#include "InfoLines.h"
#include "RegularFile.h"
#include "UsageChecks.h"

namespace {

const size_t kLineBufferSize = 200;
const int kFamilyPathSize = 100;
const int kTextBufferSize = 256;
const int kTableSize = 256;
const float kTexelDivisor = 256.0f;
const size_t kCommonTokens = 6;
const size_t kFewestCharTokens = 9;
const size_t kCharTokens = 10;
const int32_t kBlankLineId = -66;
const int32_t kKerningId = -2;
const char kLineBreak = '\\';

Uint32 millisecondsSince(Uint32 start)
{
    return SDL_GetTicks() - start;
}

// Tokens are the runs between spaces; the spaces become terminators.
std::vector<char*> cutIntoTokens(char* line)
{
    std::vector<char*> tokens;
    char* cursor = line;
    while (*cursor != '\0') {
        if (*cursor == ' ') {
            *cursor++ = '\0';
            continue;
        }
        tokens.push_back(cursor);
        while (*cursor != '\0' && *cursor != ' ')
            ++cursor;
    }
    return tokens;
}

void reportExtraTokens(size_t tokenCount, size_t allowed)
{
    for (size_t i = allowed; i < tokenCount; ++i)
        fprintf(stderr, "FAIL) Too many tokens in this line.\n");
}

// Reads one line into the line buffer, without its line feed and a carriage
// return before it. A longer line is cut to what the buffer holds, so the rest
// of it can never be taken for a line of its own. False on a read error.
bool readLine(RegularFileStream& in, char* buffer)
{
    std::string line;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() >= kLineBufferSize) {
        fprintf(stderr, "WARN) Line of %zu characters cut to %zu.\n", line.size(), kLineBufferSize - 1);
        line.resize(kLineBufferSize - 1);
    }
    memcpy(buffer, line.c_str(), line.size() + 1);
    return in.readError() == 0;
}

// Decimal digits as atoi takes them, held to the range of an int.
int readDecimal(const std::string& text)
{
    const long value = strtol(text.c_str(), NULL, 10);
    return static_cast<int>(std::clamp<long>(value, INT_MIN, INT_MAX));
}

void reportUnusable(const char* kind, const std::string& path)
{
    fprintf(stderr, "FAIL) Bitmap font %s file %s not found or unusable\n", kind, path.c_str());
}

// "<family>.<extension>" into a path buffer; false when it would not fit.
bool formatFamilyPath(char* buffer, const char* family, const char* extension)
{
    const int length = snprintf(buffer, kFamilyPathSize, "%s.%s", family, extension);
    return length >= 0 && length < kFamilyPathSize;
}

} // namespace

int getInt(std::string token)
{
    std::string kept;
    for (char c : token)
        if (c != '\r' && c != '\n' && c != ' ')
            kept += c;
    if (kept.empty())
        return -1;
    const size_t equals = kept.find('=');
    const std::string name = kept.substr(0, equals);
    // Without "=" there is no value: like a value without digits, it reads as 0.
    const std::string value = equals == std::string::npos ? "" : kept.substr(equals + 1);
    if (name.empty())
        fprintf(stderr, "WARN) Name too short: '%s' (must be at least 1 character)\n", name.c_str());
    return readDecimal(value);
}

VeskBitmapFont::VeskBitmapFont(const char* imagePath, const char* definitionPath)
{
    startEmpty();
    printInfo("INFO) Initializing bitmap font load (tga:%s fnt:%s)\n", imagePath, definitionPath);
    const Uint32 start = SDL_GetTicks();
    if (!loadFiles(imagePath, definitionPath))
        return;
    printInfo("PASS) Startup sequence completed in %i ms using %s, %s\n", static_cast<int>(millisecondsSince(start)),
              imagePath, definitionPath);
    ready = true;
}

VeskBitmapFont::VeskBitmapFont(const char* family)
{
    startEmpty();
    printInfo("INFO) Initializing bitmap font load (family: %s)\n", family);
    const Uint32 start = SDL_GetTicks();
    char imagePath[kFamilyPathSize];
    char definitionPath[kFamilyPathSize];
    // Both extensions are as long, so the name fits for both or for neither.
    if (!formatFamilyPath(imagePath, family, "tga") || !formatFamilyPath(definitionPath, family, "fnt")) {
        fprintf(stderr, "FAIL) Font family name %s is too long (at most %i characters)\n", family,
                kFamilyPathSize - 5);
        reportUnusable("bitmap", std::string(family) + ".tga");
        return;
    }
    if (!loadFiles(imagePath, definitionPath))
        return;
    printInfo("PASS) Bitmap font load completed in %i ms\n", static_cast<int>(millisecondsSince(start)));
    ready = true;
}

VeskBitmapFont::~VeskBitmapFont()
{
    printInfo("INFO) Emptying bitmap font\n");
    const Uint32 start = SDL_GetTicks();
    for (GLuint* cell : pages)
        delete cell;
    pages.clear();
    printInfo("PASS) Bitmap font emptied in %i ms\n", static_cast<int>(millisecondsSince(start)));
}

// Nothing is drawn from a table entry before a definition fills it.
void VeskBitmapFont::startEmpty()
{
    lineHeight = 0;
    base = 0;
    scaleW = 0;
    scaleH = 0;
    ready = false;
    setFontColour(255, 255, 255);
    for (FontCharacter& glyph : characters)
        glyph = FontCharacter();
}

bool VeskBitmapFont::loadFiles(const char* imagePath, const char* definitionPath)
{
    if (loadBitmap(imagePath) < 0) {
        reportUnusable("bitmap", imagePath);
        return false;
    }
    if (loadDefinition(definitionPath) < 0) {
        reportUnusable("definition", definitionPath);
        return false;
    }
    return true;
}

int VeskBitmapFont::loadBitmap(const char* path)
{
    GLuint texture = 0;
    switch (makeImageTexture(path, "VeskBitmapFont", BlackPixels::Transparent, texture)) {
    case ImageTexture::NoImage:
        fprintf(stderr, "FAIL) Image file %s not found\n", path);
        return -1;
    case ImageTexture::NoWindow:
        return -1;
    case ImageTexture::NoMemory:
        // Nothing to upload: the image counts as unusable.
        fprintf(stderr, "FAIL) Conversion surface for %s couldn't be created. Likely cause: out of RAM\n", path);
        return -1;
    case ImageTexture::Made:
        break;
    }
    pages.push_back(new GLuint(texture));
    return 0;
}

int VeskBitmapFont::loadDefinition(const char* path)
{
    // A folder, a FIFO or a device counts as missing.
    RegularFileStream file(path);
    if (!file.isOpen()) {
        fprintf(stderr, "[%s] wasn't found\n", path);
        return -1;
    }
    char line[kLineBufferSize];
    bool readable = readLine(file, line) && readLine(file, line);
    if (readable)
        setEnvironmentVars(line);
    while (readable && file.good()) {
        char charLine[kLineBufferSize];
        readable = readLine(file, charLine);
        const FontCharacter glyph = readable ? generateCharacterFromLine(charLine) : FontCharacter();
        if (glyph.id == kKerningId)
            break;
        storeCharacter(glyph);
    }
    // A read error is no end of the file: what was read so far is not the whole font.
    if (!readable) {
        fprintf(stderr, "FAIL) Font definition %s could not be read: %s\n", path, strerror(file.readError()));
        return -1;
    }
    return 0;
}

void VeskBitmapFont::storeCharacter(const FontCharacter& glyph)
{
    if (glyph.id <= 0)
        return;
    if (glyph.id >= kTableSize) {
        fprintf(stderr, "WARN) Character id %i is above %i and was not stored.\n", glyph.id, kTableSize - 1);
        return;
    }
    characters[glyph.id] = glyph;
}

void VeskBitmapFont::setEnvironmentVars(char* line)
{
    const std::string asRead = line;
    const std::vector<char*> tokens = cutIntoTokens(line);
    if (tokens.size() < kCommonTokens) {
        fprintf(stderr, "FAIL) Line \"%s\" does not contain enough tokens to be a commons definition\n",
                asRead.c_str());
        exit(1);
    }
    if (strcmp(tokens[0], "common") != 0) {
        fprintf(stderr, "FAIL) Line \"%s\" does not contain magic word 'common' at start. Not commons definition.\n",
                asRead.c_str());
        exit(1);
    }
    const char* const names[] = {"lineHeight", "base", "scaleW", "scaleH"};
    int32_t* const values[] = {&lineHeight, &base, &scaleW, &scaleH};
    for (size_t i = 0; i < 4; ++i) {
        printInfo("setting %s\n", names[i]);
        *values[i] = getInt(tokens[i + 1]);
    }
    printInfo("ignoring pages for now\n");
    reportExtraTokens(tokens.size(), kCommonTokens);
}

FontCharacter VeskBitmapFont::generateCharacterFromLine(char* line)
{
    FontCharacter glyph = FontCharacter();
    const std::string asRead = line;
    std::vector<char*> tokens = cutIntoTokens(line);
    // A line of spaces holds no token at all: it is as blank as an empty one.
    if (tokens.empty()) {
        fprintf(stderr, "WARN) Detected blank line.\n");
        glyph.id = kBlankLineId;
        return glyph;
    }
    if (tokens.size() < kFewestCharTokens) {
        fprintf(stderr, "FAIL) Line \"%s\" does not contain enough tokens to be a character ID\n", asRead.c_str());
        if (strcmp(tokens[0], "kerning") != 0)
            exit(1);
        glyph.id = kKerningId;
        return glyph;
    }
    if (strcmp(tokens[0], "char") != 0) {
        fprintf(stderr, "FAIL %s:%i) Line \"%s\" does not contain magic word 'char' at start. Not character id.\n",
                __FILE__, __LINE__, asRead.c_str());
        exit(1);
    }
    // One-character tokens take no part; the ones after them close up.
    tokens.erase(std::remove_if(tokens.begin(), tokens.end(), [](const char* token) { return strlen(token) < 2; }),
                 tokens.end());
    int32_t* const fields[] = {&glyph.id,     &glyph.x,       &glyph.y,        &glyph.width, &glyph.height,
                               &glyph.xoffset, &glyph.yoffset, &glyph.xadvance, &glyph.page};
    for (size_t i = 1; i < tokens.size() && i < kCharTokens; ++i)
        *fields[i - 1] = getInt(tokens[i]);
    reportExtraTokens(tokens.size(), kCharTokens);
    return glyph;
}

FontCharacter VeskBitmapFont::getCharacter(int code) const
{
    if (code < 0 || code >= kTableSize)
        return FontCharacter();
    return characters[code];
}

int VeskBitmapFont::getLineHeight()
{
    return lineHeight;
}

void VeskBitmapFont::setFontColour(unsigned char red, unsigned char green, unsigned char blue)
{
    colour[0] = red;
    colour[1] = green;
    colour[2] = blue;
}

bool VeskBitmapFont::refuseUnlessReady()
{
    if (!ready)
        fprintf(stderr, "FAIL) This font isn't ready to print to. Didn't complete construction\n");
    return !ready;
}

void VeskBitmapFont::print(std::string text, int x, int y)
{
    drawLeftAligned(text, x, y, 1.0f);
}

void VeskBitmapFont::print(std::string text, int x, int y, float alpha)
{
    drawLeftAligned(text, x, y, alpha);
}

void VeskBitmapFont::sprint(int x, int y, const char* format, ...)
{
    if (refuseUnlessReady())
        return;
    char text[kTextBufferSize] = "";
    va_list values;
    va_start(values, format);
    // A longer text is cut to the 255 characters the buffer holds.
    vsnprintf(text, sizeof text, format, values);
    va_end(values);
    print(std::string(text), x, y);
}

void VeskBitmapFont::rightAlignPrint(std::string text, int x, int y)
{
    rightAlignPrint(text, x, y, 1.0f);
}

void VeskBitmapFont::rightAlignPrint(std::string text, int x, int y, float alpha)
{
    if (refuseUnlessReady())
        return;
    int penX = x;
    int lineTop = y;
    for (auto c = text.rbegin(); c != text.rend(); ++c) {
        if (*c == kLineBreak) {
            penX = x;
            lineTop += getLineHeight();
            continue;
        }
        const FontCharacter& glyph = characters[static_cast<unsigned char>(*c)];
        drawGlyph(glyph, penX - glyph.width + glyph.xoffset, lineTop + glyph.yoffset, alpha);
        penX -= glyph.xadvance;
    }
}

void VeskBitmapFont::drawLeftAligned(const std::string& text, int x, int y, float alpha)
{
    if (refuseUnlessReady())
        return;
    int penX = x;
    int lineTop = y;
    for (char c : text) {
        if (c == kLineBreak) {
            penX = x;
            lineTop += getLineHeight();
            continue;
        }
        const FontCharacter& glyph = characters[static_cast<unsigned char>(c)];
        drawGlyph(glyph, penX + glyph.xoffset, lineTop + glyph.yoffset, alpha);
        penX += glyph.xadvance;
    }
}

void VeskBitmapFont::drawGlyph(const FontCharacter& glyph, int dstX, int dstY, float alpha)
{
    drawChar(glyph.x, glyph.y, glyph.x + glyph.width, glyph.y + glyph.height, dstX, dstY, glyph.width, glyph.height,
             colour[0], colour[1], colour[2], alpha);
}

void VeskBitmapFont::drawChar(int srcLeft, int srcTop, int srcRight, int srcBottom, int dstX, int dstY, int width,
                              int height, unsigned char red, unsigned char green, unsigned char blue, float alpha)
{
    // Fixed divisor: the font image is 256 pixels on each side.
    const float left = srcLeft / kTexelDivisor;
    const float top = srcTop / kTexelDivisor;
    const float right = srcRight / kTexelDivisor;
    const float bottom = srcBottom / kTexelDivisor;
    if (pages.empty() || pages[0] == NULL) {
        fprintf(stderr, "Page #0 is gone!\n");
        exit(1);
    }
    warnUnlessTwoDStateSet();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glBindTexture(GL_TEXTURE_2D, *pages[0]);
    glColor4f(red / 255.0f, green / 255.0f, blue / 255.0f, alpha);
    glBegin(GL_QUADS);
    glTexCoord2f(left, top);
    glVertex2i(dstX, dstY);
    glTexCoord2f(right, top);
    glVertex2i(dstX + width, dstY);
    glTexCoord2f(right, bottom);
    glVertex2i(dstX + width, dstY + height);
    glTexCoord2f(left, bottom);
    glVertex2i(dstX, dstY + height);
    glEnd();
    glColor3f(1.0f, 1.0f, 1.0f);
}
