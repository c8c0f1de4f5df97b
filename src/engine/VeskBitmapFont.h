#ifndef TORVANE_VESKBITMAPFONT_H
#define TORVANE_VESKBITMAPFONT_H

/// @file
/// VeskBitmapFont: text drawn from one font image and a text definition file.

#include <cstdint>
#include <string>
#include <vector>

#include "SDL_opengl.h"

/// One glyph of a font definition: where it lies in the font image and where it
/// goes from the pen, all in pixels.
struct FontCharacter
{
    int32_t x;        ///< Left edge of the glyph in the font image.
    int32_t y;        ///< Top edge of the glyph in the font image.
    int32_t width;    ///< Width, in the image and on screen.
    int32_t height;   ///< Height, in the image and on screen.
    int32_t xadvance; ///< How far the pen moves on after this glyph.
    int32_t id;       ///< The character code; -66 and -2 mark a blank and a kerning line.
    int32_t page;     ///< The image page named by the definition; drawing always uses the first.
    int32_t xoffset;  ///< From the pen to the glyph's left edge on screen.
    int32_t yoffset;  ///< From the line's top to the glyph's top edge on screen.
};

/// The value of a name=value token as atoi reads it (spaces, carriage returns and
/// line feeds removed first); -1 when nothing is left. An empty name gets a "WARN)" line.
int getInt(std::string token);

/// Text drawn as one textured quad per character from a single font image, laid
/// out by a text definition file (an info line, a common line, char lines).
///
/// Positions are screen pixels: (x, y) is where the pen starts and the top of the
/// first line, not its baseline. A backslash in a text breaks the line. Pure black
/// in the image is transparent, and the definition's coordinates are read as those
/// of a 256 × 256 image. Create it after TQ_initSDL and TQ_initGL: made before the
/// window, it says so once on standard error and is not ready. A font that failed to
/// load is never ready and answers every print with a "FAIL)" line; a malformed
/// definition ends the process with status 1. The font owns the cells that hold its
/// texture names and frees them; the OpenGL texture stays. Not copyable.
class VeskBitmapFont
{
public:
    /// Loads the image at imagePath (TGA or any format SDL_image reads) and the
    /// definition at definitionPath, with "INFO)" and "PASS)" lines on standard
    /// output; what fails is named by a "FAIL)" line on standard error. See isReady.
    VeskBitmapFont(const char* imagePath, const char* definitionPath);
    /// Loads family + ".tga" and family + ".fnt"; the family path may be 95 characters long.
    explicit VeskBitmapFont(const char* family);
    /// Not copyable: a copy would free the texture names a second time.
    VeskBitmapFont(const VeskBitmapFont&) = delete;
    /// Not assignable, for the same reason.
    VeskBitmapFont& operator=(const VeskBitmapFont&) = delete;

    /// Draws text from (x, y), opaque, in the font colour.
    virtual void print(std::string text, int x, int y);
    /// Draws a text formatted as printf does, at most 255 characters (cut beyond), from
    /// (x, y). The format is a C string: a variadic function needs a plain last parameter.
    virtual void sprint(int x, int y, const char* format, ...) __attribute__((format(printf, 4, 5)));
    /// Draws text so that it ends at x; alpha from 0 (invisible) to 1 (opaque). Laid out
    /// from its end, a text with line breaks has its last line at y, earlier ones lower.
    virtual void rightAlignPrint(std::string text, int x, int y, float alpha);
    /// rightAlignPrint, opaque.
    virtual void rightAlignPrint(std::string text, int x, int y);
    /// Draws text from (x, y) with an opacity alpha from 0 (invisible) to 1 (opaque).
    virtual void print(std::string text, int x, int y, float alpha);
    /// The distance in pixels from the top of one line to the top of the next.
    virtual int getLineHeight();
    /// Frees the texture-name cells, with an "INFO)" and a "PASS)" line on standard output.
    virtual ~VeskBitmapFont();

    /// Sets the colour, 0 to 255 each, of everything drawn from now on; white at first.
    void setFontColour(unsigned char red, unsigned char green, unsigned char blue);
    /// Loads an image at path as another texture page. Returns 0, or -1 with a
    /// "FAIL)" line when it cannot be loaded. The constructors call it.
    int loadBitmap(const char* path);
    /// Draws one glyph quad: source rectangle in font-image pixels, destination and
    /// size in screen pixels, colour 0 to 255, alpha 0 to 1. Without an image page it
    /// ends the process with status 1 after "Page #0 is gone!".
    void drawChar(int srcLeft, int srcTop, int srcRight, int srcBottom, int dstX, int dstY, int width,
                  int height, unsigned char red, unsigned char green, unsigned char blue, float alpha);

    /// Reads the definition file at path into the glyph table and the common values.
    /// Returns 0, or -1 when it cannot be opened ("[%s] wasn't found" on standard
    /// error); a malformed file ends the process with status 1. The constructors call it.
    int loadDefinition(const char* path);
    /// Reads the common line (cut into tokens in place) into the line height and the
    /// other common values; ends the process with status 1 if it is not one.
    void setEnvironmentVars(char* line);
    /// Parses one char line (cut into tokens in place) into a glyph. Its id is -66
    /// for a blank line and -2 for a kerning line; any other line that is not a char
    /// line ends the process with status 1.
    FontCharacter generateCharacterFromLine(char* line);

    /// True once both the image and the definition have loaded.
    bool isReady() const { return ready; }
    /// The common line's base value, in pixels.
    int getBase() const { return base; }
    /// The common line's image width; drawing divides by 256 whatever it says.
    int getScaleW() const { return scaleW; }
    /// The common line's image height; drawing divides by 256 whatever it says.
    int getScaleH() const { return scaleH; }
    /// The glyph of a character code; codes outside 0 to 255 give an empty glyph.
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
