// The browser's entry layer: runs the game's SDL_main and tells the page when
// it has returned, since the page stays open after the program ends. A run
// being recorded is written first (the runtime never exits, so nothing else
// would end it), where the page can read it.

#include <emscripten.h>

#include "RunRecording.h"

int SDL_main(int argc, char** argv);

int main(int argc, char** argv)
{
    const int status = SDL_main(argc, argv);
    TQ_endRun();
    EM_ASM({
        if (Module.onGameEnded)
            Module.onGameEnded($0);
    }, status);
    return status;
}
