#ifndef TORVANE_VESKBITMAPFONT_H
#define TORVANE_VESKBITMAPFONT_H

#include <cstdint>
#include <string>
#include <vector>

#include "SDL_opengl.h"

// One glyph: where it lies in the font image and where it goes from the pen.
struct FontCharacter
{
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
    int32_t xadvance;
    int32_t id;
    int32_t page;
    int32_t xoffset;
    int32_t yoffset;
};

// The value of a name=value token; -1 when the token holds nothing.
int getInt(std::string token);

// Text drawn as one textured quad per character from a single font image,
// laid out by a text definition file. A backslash in a text breaks the line.
class VeskBitmapFont
{
public:
    VeskBitmapFont(const char* imagePath, const char* definitionPath);
    // Loads <family>.tga and <family>.fnt.
    explicit VeskBitmapFont(const char* family);
    VeskBitmapFont(const VeskBitmapFont&) = delete;
    VeskBitmapFont& operator=(const VeskBitmapFont&) = delete;

    virtual void print(std::string text, int x, int y);
    // The format is a C string: a variadic function needs a plain last parameter.
    virtual void sprint(int x, int y, const char* format, ...) __attribute__((format(printf, 4, 5)));
    virtual void rightAlignPrint(std::string text, int x, int y, float alpha);
    virtual void rightAlignPrint(std::string text, int x, int y);
    virtual void print(std::string text, int x, int y, float alpha);
    virtual int getLineHeight();
    virtual ~VeskBitmapFont();

    void setFontColour(unsigned char red, unsigned char green, unsigned char blue);
    int loadBitmap(const char* path);
    void drawChar(int srcLeft, int srcTop, int srcRight, int srcBottom, int dstX, int dstY, int width,
                  int height, unsigned char red, unsigned char green, unsigned char blue, float alpha);

    int loadDefinition(const char* path);
    void setEnvironmentVars(char* line);
    FontCharacter generateCharacterFromLine(char* line);

    bool isReady() const { return ready; }
    int getBase() const { return base; }
    int getScaleW() const { return scaleW; }
    int getScaleH() const { return scaleH; }
    // The table entry of a character code; codes outside 0..255 give an empty glyph.
    FontCharacter getCharacter(int code) const;

private:
    void startEmpty();
    bool loadFiles(const char* imagePath, const char* definitionPath);
    void storeCharacter(const FontCharacter& glyph);
    bool refuseUnlessReady();
    void drawLeftAligned(const std::string& text, int x, int y, float alpha);
    void drawGlyph(const FontCharacter& glyph, int dstX, int dstY, float alpha);

    int32_t lineHeight;
    int32_t base;
    int32_t scaleW;
    int32_t scaleH;
    bool ready;
    unsigned char colour[3];
    std::vector<GLuint*> pages;
    FontCharacter characters[256];
};

#endif
