#ifndef TORVANE_MUSICMANAGER_H
#define TORVANE_MUSICMANAGER_H

/// @file
/// MusicManager and MusicTrack: numbered music files, played one at a time.

#include <string>
#include <vector>

#include "ID3v1.h"
#include "SDL_mixer.h"

/// One loaded track and its tag, owned by its MusicManager.
struct MusicTrack
{
    Mix_Music* music; ///< The loaded music; never null.
    id3v1tags* tags;  ///< The file's ID3v1 tag, or null when it has none.
};

/// The numbered Ogg Vorbis files of one folder, played one at a time.
///
/// Tracks are numbered from 0 in the order of their files. Create it after
/// TQ_initMixer. The manager owns its tracks, their music and their tags, and frees
/// them when destroyed; it then also closes the audio device, so destroy it after
/// every other user of the sound. Lines begin "Err.)" or "Pass)". Not copyable.
class MusicManager
{
public:
    /// Loads directory/0.ogg, 1.ogg and so on up to the first number that fails,
    /// named by "Err.) Music file %s is missing" on standard error (with "Err.) No music
    /// found, disabling" when there was none). Starts nothing. Names fit in 400 bytes.
    explicit MusicManager(const char* directory);
    /// Stops the music, frees every track and closes the audio device.
    ~MusicManager();
    /// Not copyable: a copy would free the tracks a second time.
    MusicManager(const MusicManager&) = delete;
    /// Not assignable, for the same reason.
    MusicManager& operator=(const MusicManager&) = delete;

    /// Loads the music file at path, with its tag, as the next track. Returns 0, or
    /// -1 with "Err.) Can't load %s... %s" on standard error.
    int loadTrack(const char* path);
    /// Starts a track, for ever when loop is set, once otherwise, with "Pass)
    /// Playing track %i" and its artist and title on standard output. A number out of
    /// range, or a mixer failure, says so with "Err.)" and changes nothing.
    void playTrack(int track, bool loop);
    /// Moves step tracks on (back when negative) and plays that track in a loop.
    /// Past the last it gives the first, before the first the last.
    void changeTrack(int step);
    /// The chosen track's "artist - title", "File not tagged" when it has no tag,
    /// or "Not playing music" before any track was chosen.
    std::string getTrackName();

private:
    int trackCount() const;

    std::vector<MusicTrack*> tracks;
    int currentTrack;
};

#endif
