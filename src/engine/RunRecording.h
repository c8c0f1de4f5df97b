#ifndef TORVANE_RUNRECORDING_H
#define TORVANE_RUNRECORDING_H

/// @file
/// Recorded runs: a program's frame times and the input it read, kept in a
/// small file and played back later, frame by frame, to the same result.
///
/// A run holds, for every frame, the whole milliseconds TQ_getNewDelta measured
/// and, in order, what the program's polls (SDL_PollEvent) gave and the held
/// keys it saw (SDL_GetKeyState). While a run is replayed, TQ_getNewDelta
/// returns the recorded frame times and those two calls the recorded input, so
/// the program does again what it did, as fast as it can draw its frames. A
/// real Escape or the closing of the window reaches the program and stops
/// watching; F2 (the screenshot key) reaches it too; any other real input waits
/// until the run is over. When the recorded frames are over before the program
/// is, real input and the real clock take over: the run's last frame, the one
/// in progress when it was recorded, is never in it (a game-over screen that
/// waits for a key inside its frame is then closed by the viewer).
///
/// Any program on the engine can be recorded and replayed unchanged: when the
/// window opens (TQ_initSDL), TORVANE_REPLAY=FILE replays a run and
/// TORVANE_RECORD=FILE records one. The engine intercepts the two input calls
/// at link time (`-Wl,--wrap=SDL_PollEvent,--wrap=SDL_GetKeyState`, which the
/// kit's pkg-config and CMake files pass on). Play stays the same on every
/// build only if it reads time, input and chance the same way: the frame time
/// only through TQ_getNewDelta, input only through those two calls, chance only
/// from rand() (the same unseeded sequence on every build); the engine compiles
/// its users with -ffp-contract=off, so floating point rounds alike everywhere.
///
/// Events kept: keys (with modifiers and character), mouse motion and buttons,
/// focus, quit. Other kinds are neither recorded nor given during a replay.
/// A run's file starts with plain-text lines (format version, program, frames,
/// seconds, final numbers) and a body packed by the engine's own coder: see
/// \ref runformat.
///
/// Both at once: a replay is recorded again, with this program's numbers, and
/// the recording ends where the replay does (a golden run made afresh).

#include <initializer_list>

/// The most numbers TQ_checkRun takes at once.
const int TQ_RUN_NUMBERS_MAX = 8;

/// Records the run from now on into the file at path, which is written when
/// the run ends (TQ_endRun, or the process's normal exit): a fresh file beside
/// it, put in its place once complete, so an older run there stays whole until
/// then. Call it before the first frame (TQ_initSDL does, for TORVANE_RECORD).
/// A run without a complete frame is not written. Returns 0, or -1 after a line
/// on standard error when the file cannot be made there, when a run is already
/// being recorded, or when the file is the run being replayed.
int TQ_recordRun(const char* path);

/// Replays the run in the file at path from the next frame on. The program must
/// be the one that recorded it (the window's caption when the first frame
/// began). Returns 0 after a line on standard output saying what the run is,
/// or -1 after a line on standard error saying what is wrong with the file
/// (missing, cut short, damaged, of another program or format version, too
/// large); the program then runs as usual.
int TQ_replayRun(const char* path);

/// Hands in up to TQ_RUN_NUMBERS_MAX numbers that sum up the program's state
/// this frame (a score, a position in whole pixels). A recording keeps those
/// of one frame each second of run time and those of its last frame; a replay
/// compares, and where they differ it stops with a line on standard error and
/// real input takes over, so a run recorded by another version never plays on
/// as a silently different game. Costs nothing when no run is recorded or replayed.
void TQ_checkRun(std::initializer_list<int> numbers);

/// Ends the run now: a recording is written (see TQ_recordRun), a replay stops.
/// Runs end by themselves when the process exits normally; call it where a
/// program lives on after its main function (in a browser page).
void TQ_endRun();

#endif
