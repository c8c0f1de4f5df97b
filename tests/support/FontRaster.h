#ifndef TEST_FONT_RASTER_H
#define TEST_FONT_RASTER_H

#include <cmath>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "SDL.h"
#include "SDL_image.h"

#include "ScreenImage.h"

// White text as a font should come out on the screen, worked out apart from the
// engine: the definition read by its key names, the image's texels taken with pure
// black left out, and each glyph blended over the frame where the pen puts it.
class FontRaster
{
public:
    FontRaster(const std::string& imagePath, const std::string& definitionPath)
    {
        readDefinition(definitionPath);
        readImage(imagePath);
    }

    int lineHeight() const { return height; }

    // How far the pen moves over the text.
    int advance(const std::string& text) const
    {
        int width = 0;
        for (unsigned char c : text) {
            const auto found = glyphs.find(c);
            if (found != glyphs.end())
                width += found->second.xadvance;
        }
        return width;
    }

    // Left-aligned text from (x, y) over what the frame already holds.
    void print(ScreenImage& frame, const std::string& text, int x, int y) const
    {
        int penX = x;
        for (unsigned char c : text) {
            const auto found = glyphs.find(c);
            if (found == glyphs.end())
                continue;
            const Glyph& glyph = found->second;
            blend(frame, glyph, penX + glyph.xoffset, y + glyph.yoffset);
            penX += glyph.xadvance;
        }
    }

private:
    struct Glyph
    {
        int x, y, width, height, xoffset, yoffset, xadvance;
    };

    void readDefinition(const std::string& path)
    {
        std::ifstream file(path);
        if (!file)
            throw std::runtime_error("cannot read " + path);
        std::string line;
        while (std::getline(file, line)) {
            std::istringstream tokens(line);
            std::string kind;
            tokens >> kind;
            std::map<std::string, int> values;
            for (std::string token; tokens >> token;) {
                const size_t equals = token.find('=');
                if (equals != std::string::npos)
                    values[token.substr(0, equals)] = std::atoi(token.c_str() + equals + 1);
            }
            if (kind == "common")
                height = values["lineHeight"];
            if (kind == "char")
                glyphs[values["id"]] = Glyph{values["x"],       values["y"],       values["width"],   values["height"],
                                             values["xoffset"], values["yoffset"], values["xadvance"]};
        }
    }

    void readImage(const std::string& path)
    {
        SDL_Surface* image = IMG_Load(path.c_str());
        if (image == NULL)
            throw std::runtime_error("cannot load " + path);
        SDL_Surface* rgba = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 32, 0x000000FF, 0x0000FF00, 0x00FF0000,
                                                 0xFF000000);
        SDL_Surface* texels = SDL_ConvertSurface(image, rgba->format, SDL_SWSURFACE);
        atlasWidth = texels->w;
        atlasHeight = texels->h;
        atlas.resize(static_cast<size_t>(atlasWidth) * atlasHeight * 4);
        for (int row = 0; row < atlasHeight; ++row)
            memcpy(&atlas[static_cast<size_t>(row) * atlasWidth * 4],
                   static_cast<uint8_t*>(texels->pixels) + row * texels->pitch, static_cast<size_t>(atlasWidth) * 4);
        SDL_FreeSurface(texels);
        SDL_FreeSurface(rgba);
        SDL_FreeSurface(image);
    }

    void blend(ScreenImage& frame, const Glyph& glyph, int left, int top) const
    {
        for (int row = 0; row < glyph.height; ++row)
            for (int column = 0; column < glyph.width; ++column) {
                const int x = left + column;
                const int y = top + row;
                const int u = glyph.x + column;
                const int v = glyph.y + row;
                if (x < 0 || y < 0 || x >= frame.width || y >= frame.height || u >= atlasWidth || v >= atlasHeight)
                    continue;
                const uint8_t* texel = &atlas[(static_cast<size_t>(v) * atlasWidth + u) * 4];
                // Pure black is the colour key: it never reaches the screen.
                if (texel[0] == 0 && texel[1] == 0 && texel[2] == 0)
                    continue;
                const float alpha = texel[3] / 255.0f;
                const ScreenColour under = frame.at(x, y);
                frame.set(x, y, ScreenColour{mix(texel[0], under.r, alpha), mix(texel[1], under.g, alpha),
                                    mix(texel[2], under.b, alpha)});
            }
    }

    static uint8_t mix(uint8_t over, uint8_t under, float alpha)
    {
        return static_cast<uint8_t>(std::lround(over * alpha + under * (1.0f - alpha)));
    }

    int height = 0;
    std::map<int, Glyph> glyphs;
    int atlasWidth = 0;
    int atlasHeight = 0;
    std::vector<uint8_t> atlas;
};

// The game's own font, from the project's data.
inline FontRaster gameFontRaster()
{
    const std::string data = std::string(GRUBNOSH_SOURCE_DIR) + "/data/";
    return FontRaster(data + "bitfont.tga", data + "bitfont.fnt");
}

#endif
