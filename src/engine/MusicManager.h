#ifndef TORVANE_MUSICMANAGER_H
#define TORVANE_MUSICMANAGER_H

#include <string>
#include <vector>

#include "ID3v1.h"
#include "SDL_mixer.h"

// One loaded track and its tag (null when the file has none).
struct MusicTrack
{
    Mix_Music* music;
    id3v1tags* tags;
};

// The numbered Ogg Vorbis files of one directory, played one at a time.
// Destroying it closes the audio device.
class MusicManager
{
public:
    explicit MusicManager(const char* directory);
    ~MusicManager();
    MusicManager(const MusicManager&) = delete;
    MusicManager& operator=(const MusicManager&) = delete;

    int loadTrack(const char* path);
    void playTrack(int track, bool loop);
    void changeTrack(int step);
    std::string getTrackName();

private:
    int trackCount() const;

    std::vector<MusicTrack*> tracks;
    int currentTrack;
};

#endif
