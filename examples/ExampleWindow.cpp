#include "ExampleWindow.h"

#include <cstdio>

#include "Platform.h"
#include "VeskBitmapFont.h"

namespace {

const int kRestMilliseconds = 10;

} // namespace

VeskBitmapFont* startExample(const char* name)
{
    if (TQ_initSDL(kExampleWidth, kExampleHeight) != 0) {
        fprintf(stderr, "Couldn't open the example's window: %s\n", SDL_GetError());
        return NULL;
    }
    TQ_initGL(kExampleWidth, kExampleHeight);
    // A deep slate instead of black, so the font's near-black outline shows.
    glClearColor(0.09f, 0.11f, 0.17f, 1.0f);
    char caption[80];
    snprintf(caption, sizeof caption, "Torvane Quillet example: %s", name);
    TQ_setWindowTitle(caption);

    VeskBitmapFont* font = new VeskBitmapFont("data/bitfont.tga", "data/bitfont.fnt");
    if (!font->isReady()) {
        fprintf(stderr, "The font is missing: start the example from the repository root.\n");
        delete font;
        return NULL;
    }
    return font;
}

bool endsExample(const SDL_Event& event)
{
    return event.type == SDL_QUIT || (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE);
}

void finishFrame()
{
    TQ_flip();
    TQ_delay(kRestMilliseconds);
}
