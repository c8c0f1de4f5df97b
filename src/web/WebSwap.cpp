#include "WebRenderer.h"

#undef SDL_GL_SwapBuffers

void webSwapBuffers()
{
    webFlushDrawing();
    SDL_GL_SwapBuffers();
}
