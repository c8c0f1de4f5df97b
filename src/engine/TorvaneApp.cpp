#include "TorvaneApp.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "RegularFile.h"
#include "SpriteManager.h"
#include "UsageChecks.h"
#include "VeskBitmapFont.h"

namespace {

const char* const kWorkingFolderFont = "data/bitfont";
const char kLineBreak = '\\'; // as VeskBitmapFont::print reads it

bool isEscapePress(const SDL_Event& event)
{
    return event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE;
}

// Hands the waiting events on; false once the program agreed to end.
bool dispatchEvents(const TQ_EventFunction& onEvent, const TQ_QuitFunction& mayQuit)
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT || isEscapePress(event)) {
            if (!mayQuit || mayQuit())
                return false;
        } else if (onEvent) {
            onEvent(event);
        }
    }
    return true;
}

// Plain files only: opening a pipe by the font's name would hold the program up.
// Whether they can be read, the font says when it loads them.
bool fontFilesAt(const std::string& family)
{
    return isRegularFile((family + ".tga").c_str()) && isRegularFile((family + ".fnt").c_str());
}

// Where an installed kit keeps its font: the library knows the way from the
// kit's include folder, the program's compiler knows where that folder is.
// Installed headers are found by absolute paths; a relative one is a build
// tree's, which has no kit.
std::string kitFontBeside(const char* headerPath)
{
#ifdef TORVANE_HEADERS_TO_FONT
    const std::filesystem::path header = headerPath != NULL ? headerPath : "";
    // Without the detour through include/, the path fits the font's 95 characters more often.
    if (header.is_absolute())
        return (header.parent_path() / TORVANE_HEADERS_TO_FONT).lexically_normal().string();
#else
    (void)headerPath; // a build without the kit's layout has no kit font
#endif
    return "";
}

} // namespace

int TQ_openWindow(int width, int height, const char* caption)
{
    if (TQ_initSDL(width, height) != 0) {
        fprintf(stderr, "FAIL) Couldn't open a %i x %i OpenGL window: %s\n", width, height, SDL_GetError());
        return -1;
    }
    TQ_initGL(width, height);
    TQ_setWindowTitle(caption);
    return 0;
}

void TQ_run(const TQ_FrameFunction& frame, const TQ_EventFunction& onEvent, const TQ_QuitFunction& mayQuit)
{
    for (;;) {
        const float seconds = std::min(TQ_getNewDelta(), TQ_LONGEST_FRAME);
        if (!dispatchEvents(onEvent, mayQuit))
            return;
        TQ_clearScreen();
        const bool goOn = frame(seconds);
        TQ_flip();
        TQ_delay(TQ_FRAME_REST);
        if (!goOn)
            return;
    }
}

bool TQ_isKeyHeld(SDLKey key)
{
    int count = 0;
    const Uint8* keys = SDL_GetKeyState(&count);
    return key >= 0 && key < count && keys[key] != 0;
}

void TQ_setClearColour(TorvaneColour colour)
{
    glClearColor(colour.red, colour.green, colour.blue, colour.alpha);
}

void TQ_fillRect(int x, int y, int width, int height, TorvaneColour colour)
{
    warnUnlessTwoDStateSet();
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(colour.red, colour.green, colour.blue, colour.alpha);
    glBegin(GL_QUADS);
    glVertex2i(x, y);
    glVertex2i(x + width, y);
    glVertex2i(x + width, y + height);
    glVertex2i(x, y + height);
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
}

std::unique_ptr<VeskBitmapFont> TQ_loadFont(const char* headerPath)
{
    std::string family = kWorkingFolderFont;
    if (!fontFilesAt(family)) {
        family = kitFontBeside(headerPath);
        if (family.empty() || !fontFilesAt(family)) {
            fprintf(stderr, "FAIL) No font: %s.tga and .fnt are not in the working folder%s%s\n", kWorkingFolderFont,
                    family.empty() ? "" : ", nor in the kit at ", family.c_str());
            return nullptr;
        }
    }
    std::unique_ptr<VeskBitmapFont> font = std::make_unique<VeskBitmapFont>(family.c_str());
    if (!font->isReady())
        return nullptr; // the font has said why
    return font;
}

std::unique_ptr<SpriteManager> TQ_loadSprites(const char* folder)
{
    std::unique_ptr<SpriteManager> sprites = std::make_unique<SpriteManager>(folder);
    if (sprites->size() == 0)
        return nullptr; // the manager has named the file it missed
    const SDL_Surface* window = SDL_GetVideoSurface();
    if (window != NULL)
        sprites->setScreenSize(window->w, window->h);
    return sprites;
}

int TQ_textWidth(const VeskBitmapFont& font, const std::string& text)
{
    if (!font.isReady())
        return 0;
    int widest = 0;
    int width = 0;
    for (unsigned char code : text) {
        width = code == kLineBreak ? 0 : width + font.getCharacter(code).xadvance;
        widest = std::max(widest, width);
    }
    return widest;
}
