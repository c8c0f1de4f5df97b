// The baseline: an SDL 1.2 OpenGL window of the game's size that only clears and swaps.
#include <cstdlib>

#include "SDL.h"
#include "SDL_opengl.h"

int main(int argc, char** argv)
{
    // Runs until quit (the bench ends it after its frames) or the given frame count.
    const int frames = argc > 1 ? atoi(argv[1]) : 3000;
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        return 1;
    atexit(SDL_Quit);
    if (SDL_SetVideoMode(640, 480, 0, SDL_HWSURFACE | SDL_ASYNCBLIT | SDL_OPENGL | SDL_ANYFORMAT) == NULL)
        return 1;
    glClearColor(0, 0, 0, 0);
    for (int i = 0; i < frames; ++i) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SDL_GL_SwapBuffers();
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            if (event.type == SDL_QUIT)
                return 0;
        }
        SDL_Delay(0);
    }
    return 0;
}
