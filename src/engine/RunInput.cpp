// The two input calls as every program on the engine makes them. The engine's
// link options route SDL_PollEvent and SDL_GetKeyState here (--wrap); without
// a run being recorded or replayed they are SDL's own.

#include <cstring>
#include <vector>

#include "SDL.h"

#include "RunHooks.h"
#include "RunKeys.h"
#include "RunPlayer.h"
#include "RunRecorder.h"

extern "C" {
int __real_SDL_PollEvent(SDL_Event* event);
Uint8* __real_SDL_GetKeyState(int* numkeys);
int __wrap_SDL_PollEvent(SDL_Event* event);
Uint8* __wrap_SDL_GetKeyState(int* numkeys);
}

namespace {

// Stores a run field into an SDL field of whatever width this build's SDL gives it.
template <typename Field> void put(Field& field, int32_t value)
{
    field = static_cast<Field>(value);
}

bool keyEventToRun(const SDL_Event& in, RunEvent& out)
{
    const int key = runKeyFromNative(in.key.keysym.sym);
    if (key < 0)
        return false;
    out.kind = in.type == SDL_KEYDOWN ? RunEvent::KeyDown : RunEvent::KeyUp;
    out.field[0] = key;
    out.field[1] = in.key.keysym.mod;
    out.field[2] = static_cast<int32_t>(in.key.keysym.unicode);
    return true;
}

bool toRunEvent(const SDL_Event& in, RunEvent& out)
{
    out = RunEvent();
    switch (in.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return keyEventToRun(in, out);
    case SDL_MOUSEMOTION:
        out.kind = RunEvent::MouseMotion;
        out.field[0] = in.motion.x;
        out.field[1] = in.motion.y;
        out.field[2] = in.motion.xrel;
        out.field[3] = in.motion.yrel;
        out.field[4] = in.motion.state;
        return true;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        out.kind = in.type == SDL_MOUSEBUTTONDOWN ? RunEvent::ButtonDown : RunEvent::ButtonUp;
        out.field[0] = in.button.button;
        out.field[1] = in.button.x;
        out.field[2] = in.button.y;
        return true;
    case SDL_ACTIVEEVENT:
        out.kind = RunEvent::Focus;
        out.field[0] = in.active.gain;
        out.field[1] = in.active.state;
        return true;
    case SDL_QUIT:
        out.kind = RunEvent::Quit;
        return true;
    default:
        return false; // not kept in a run
    }
}

bool keyEventFromRun(const RunEvent& in, SDL_Event& out)
{
    const int key = nativeKeyFromRun(in.field[0]);
    if (key < 0)
        return false;
    const bool down = in.kind == RunEvent::KeyDown;
    out.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    put(out.key.state, down ? SDL_PRESSED : SDL_RELEASED);
    put(out.key.keysym.sym, key);
    put(out.key.keysym.mod, in.field[1]);
    put(out.key.keysym.unicode, in.field[2]);
    return true;
}

bool fromRunEvent(const RunEvent& in, SDL_Event& out)
{
    memset(&out, 0, sizeof out);
    switch (in.kind) {
    case RunEvent::KeyDown:
    case RunEvent::KeyUp:
        return keyEventFromRun(in, out);
    case RunEvent::MouseMotion:
        out.type = SDL_MOUSEMOTION;
        put(out.motion.x, in.field[0]);
        put(out.motion.y, in.field[1]);
        put(out.motion.xrel, in.field[2]);
        put(out.motion.yrel, in.field[3]);
        put(out.motion.state, in.field[4]);
        return true;
    case RunEvent::ButtonDown:
    case RunEvent::ButtonUp:
        out.type = in.kind == RunEvent::ButtonDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        put(out.button.state, in.kind == RunEvent::ButtonDown ? SDL_PRESSED : SDL_RELEASED);
        put(out.button.button, in.field[0]);
        put(out.button.x, in.field[1]);
        put(out.button.y, in.field[2]);
        return true;
    case RunEvent::Focus:
        out.type = SDL_ACTIVEEVENT;
        put(out.active.gain, in.field[0]);
        put(out.active.state, in.field[1]);
        return true;
    case RunEvent::Quit:
        out.type = SDL_QUIT;
        return true;
    }
    return false;
}

bool isKeyPress(const SDL_Event& event, int key)
{
    return event.type == SDL_KEYDOWN && event.key.keysym.sym == key;
}

// The platform's key symbol for each run key number, -1 where it has none; looked up once.
const std::vector<int>& nativeKeys()
{
    static const std::vector<int> keys = [] {
        std::vector<int> symbols(kRunKeyCount);
        for (int key = 0; key < kRunKeyCount; ++key)
            symbols[key] = nativeKeyFromRun(key);
        return symbols;
    }();
    return keys;
}

// The held keys a replay shows the program, in the platform's own array.
Uint8* replayedKeys(const RunPlayer& player)
{
    static std::vector<Uint8> keys(static_cast<size_t>(nativeKeyCount()), 0);
    for (int key = 0; key < kRunKeyCount; ++key) {
        const int native = nativeKeys()[key];
        if (native >= 0 && native < static_cast<int>(keys.size()))
            keys[native] = player.heldKeys()[key];
    }
    return keys.data();
}

// During a replay the real events are still taken from the queue, which keeps
// SDL's own key state current for when real input takes over. A real Escape
// or quit reaches the program and ends the replay; a real F2, the screenshot
// key, reaches it too; anything else is dropped.
bool realEventDuringReplay(SDL_Event& event)
{
    while (__real_SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT || isKeyPress(event, SDLK_ESCAPE)) {
            stopWatchingRun();
            return true;
        }
        if (isKeyPress(event, SDLK_F2))
            return true;
    }
    return false;
}

int replayedPoll(RunPlayer& player, SDL_Event* event)
{
    if (event == NULL)
        return player.eventWaiting() ? 1 : 0;
    if (realEventDuringReplay(*event))
        return 1;
    RunEvent recorded;
    // An event this build has no form for is passed over, as if it never came.
    while (player.poll(recorded))
        if (fromRunEvent(recorded, *event))
            return 1;
    return 0;
}

// Records the held keys as the program sees them now.
void noteKeysSeen(RunRecorder& recorder, RunItem::Type when)
{
    uint8_t held[kRunKeyCount] = {};
    if (const RunPlayer* player = replayingRun()) {
        memcpy(held, player->heldKeys(), sizeof held);
    } else {
        int count = nativeKeyCount(); // the browser's SDL leaves the count alone
        const Uint8* keys = __real_SDL_GetKeyState(&count);
        const std::vector<int>& natives = nativeKeys();
        for (int key = 0; key < kRunKeyCount; ++key)
            held[key] = natives[key] >= 0 && natives[key] < count && keys[natives[key]] != 0;
    }
    recorder.noteKeys(held, when);
}

} // namespace

int __wrap_SDL_PollEvent(SDL_Event* event)
{
    RunPlayer* player = replayingRun();
    const int given = player != nullptr ? replayedPoll(*player, event) : __real_SDL_PollEvent(event);
    if (RunRecorder* recorder = recordingRun()) {
        noteKeysSeen(*recorder, RunItem::KeysAtPoll);
        RunEvent kept;
        if (event != NULL && !given)
            recorder->notePoll(nullptr);
        else if (event != NULL && toRunEvent(*event, kept))
            recorder->notePoll(&kept);
    }
    return given;
}

Uint8* __wrap_SDL_GetKeyState(int* numkeys)
{
    Uint8* keys;
    if (RunPlayer* player = replayingRun()) {
        player->readKeys();
        keys = replayedKeys(*player);
        if (numkeys != NULL)
            *numkeys = nativeKeyCount();
    } else {
        // Set first: the browser's SDL leaves the count alone.
        if (numkeys != NULL)
            *numkeys = nativeKeyCount();
        keys = __real_SDL_GetKeyState(numkeys);
    }
    if (RunRecorder* recorder = recordingRun())
        noteKeysSeen(*recorder, RunItem::KeysAtRead);
    return keys;
}
