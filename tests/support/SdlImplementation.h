#ifndef TEST_SDL_IMPLEMENTATION_H
#define TEST_SDL_IMPLEMENTATION_H

#include <string>

#include <sys/types.h>

// The window layers run on two SDL 1.2 implementations: the classic library
// (1.2.15) and sdl12-compat, the SDL 1.2 API over SDL2, which reports 1.2.50 or later.
bool runsOnSdl12Compat();

// "sdl12-compat 1.2.60 (<library file>)" or "classic SDL 1.2.15 (<library file>)".
std::string sdlImplementation();

// The SDL 1.2 library file mapped into a process, empty when there is none.
std::string sdlLibraryOf(pid_t process);

#endif
