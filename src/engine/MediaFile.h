#ifndef TORVANE_MEDIA_FILE_H
#define TORVANE_MEDIA_FILE_H

#include "SDL.h"

// What the engine hands SDL_image and SDL_mixer: a regular file opened once
// (openRegularFile), as an SDL_RWops that closes it when freed, so that no
// library opens it again by name. NULL, with errno set, for anything else.
SDL_RWops* openMediaFile(const char* path);

#endif
