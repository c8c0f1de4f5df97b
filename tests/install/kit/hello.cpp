// hello: the smallest program on Torvane Quillet. Opens a window through the
// platform layer and writes one line in the kit's font, shows it for two
// seconds, and ends with status 0 (1 if the window or the font failed).
// Usage: hello FONT, FONT being a font's path without ".tga"/".fnt", such as
// `pkg-config --variable=font torvane` prints.
#include <cstdio>

#include "Platform.h"
#include "VeskBitmapFont.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: %s FONT\n", argv[0]);
        return 2;
    }
    if (TQ_initSDL(640, 480) != 0) {
        fprintf(stderr, "Couldn't open a window: %s\n", SDL_GetError());
        return 1;
    }
    TQ_initGL(640, 480);
    TQ_setWindowTitle("Hello");

    VeskBitmapFont font(argv[1]);
    if (!font.isReady())
        return 1; // the font has said why on standard error

    TQ_clearScreen();
    font.print("Hello from Torvane Quillet!", 20, 20);
    TQ_flip();
    TQ_delay(2000);
    return 0;
}
