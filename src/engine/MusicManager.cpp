#include "MusicManager.h"

#include <cstdio>

#include "InfoLines.h"
#include "MediaFile.h"
#include "NumberedFiles.h"

namespace {

const int kNameBufferSize = 400;

void reportCannotLoad(const char* path, const char* reason)
{
    fprintf(stderr, "Err.) Can't load %s... %s\n", path, reason);
}

} // namespace

MusicManager::MusicManager(const char* directory) : currentTrack(-1)
{
    const NumberedFileSearch search =
        loadNumberedFiles(directory, "ogg", kNameBufferSize, [this](const char* path) { return loadTrack(path) == 0; });
    const char* name = search.endedAt.c_str();
    // A name cut short by the buffer would load some other file, or none.
    if (!search.pathFitted)
        reportCannotLoad(name, "the name does not fit in 400 bytes");
    fprintf(stderr, "Err.) Music file %s is missing\n", name);
    if (tracks.empty())
        fprintf(stderr, "Err.) No music found, disabling\n");
}

MusicManager::~MusicManager()
{
    Mix_HaltMusic();
    for (MusicTrack* track : tracks) {
        Mix_FreeMusic(track->music);
        delete track->tags;
        delete track;
    }
    tracks.clear();
    Mix_CloseAudio();
}

int MusicManager::loadTrack(const char* path)
{
    // A FIFO would hang the mixer's reader; it is refused the way the mixer
    // refuses a missing file.
    SDL_RWops* file = openMediaFile(path);
    if (file == NULL) {
        reportCannotLoad(path, (std::string("Couldn't open '") + path + "'").c_str());
        return -1;
    }
    // The mixer reads the music from the file while it plays, and closes it with the music.
    Mix_Music* music = Mix_LoadMUSType_RW(file, MUS_NONE, 1);
    if (music == NULL) {
        reportCannotLoad(path, SDL_GetError());
        return -1;
    }
    tracks.push_back(new MusicTrack{music, getV1Tags(path)});
    return 0;
}

void MusicManager::playTrack(int track, bool loop)
{
    if (track < 0 || track >= trackCount()) {
        fprintf(stderr, "Err.) Music track %i is out of range [0,%i]\n", track, trackCount() - 1);
        return;
    }
    if (Mix_PlayMusic(tracks[track]->music, loop ? -1 : 0) == -1) {
        fprintf(stderr, "Err.) SDL_mixer error %s\n", SDL_GetError());
        return;
    }
    printInfo("Pass) Playing track %i", track);
    const id3v1tags* tags = tracks[track]->tags;
    if (tags != NULL)
        printInfo(" (%s - %s)\n", tags->artist.c_str(), tags->title.c_str());
    else
        printInfo("\n");
    Mix_Volume(0, 100);
    currentTrack = track;
}

void MusicManager::changeTrack(int step)
{
    // Wide arithmetic: a huge step must wrap like any other, not overflow.
    long long next = static_cast<long long>(currentTrack) + step;
    if (next < 0)
        next = trackCount() - 1;
    if (next >= trackCount())
        next = 0;
    currentTrack = static_cast<int>(next);
    Mix_HaltMusic();
    playTrack(currentTrack, true);
}

std::string MusicManager::getTrackName()
{
    if (currentTrack < 0 || currentTrack >= trackCount())
        return "Not playing music";
    const id3v1tags* tags = tracks[currentTrack]->tags;
    if (tags == NULL)
        return "File not tagged";
    return tags->artist + " - " + tags->title;
}

int MusicManager::trackCount() const
{
    return static_cast<int>(tracks.size());
}
