#ifndef TORVANE_RUNKEYS_H
#define TORVANE_RUNKEYS_H

// A run numbers keys as the desktop's SDL 1.2 does (0 to 322), so that a run
// recorded on one build replays on another; each build translates its own key
// symbols. Internal to the engine; the browser's are in src/web.

// The run key number of one of the platform's key symbols; -1 for a key a run cannot hold.
int runKeyFromNative(int key);
// The platform's key symbol for a run key number; -1 for a key the platform does not have.
int nativeKeyFromRun(int key);
// How many entries the platform's held-key array (SDL_GetKeyState) has.
int nativeKeyCount();

#endif
