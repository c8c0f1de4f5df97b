// The browser's entry layer: runs the game's SDL_main and tells the page when
// it has returned, since the page stays open after the program ends.

#include <emscripten.h>

int SDL_main(int argc, char** argv);

int main(int argc, char** argv)
{
    const int status = SDL_main(argc, argv);
    EM_ASM({
        if (Module.onGameEnded)
            Module.onGameEnded($0);
    }, status);
    return status;
}
