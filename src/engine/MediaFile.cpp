#include "MediaFile.h"

#include "RegularFile.h"

SDL_RWops* openMediaFile(const char* path)
{
    FILE* file = fopenRegularFile(path);
    if (file == NULL)
        return NULL;
    SDL_RWops* media = SDL_RWFromFP(file, SDL_TRUE);
    if (media == NULL)
        fclose(file);
    return media;
}
