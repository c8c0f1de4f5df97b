// The keyboard in the browser. The runtime's SDL keeps the key state indexed by
// the same symbol it puts in key events (how many there are, which it never
// says, the engine's input layer tells: RunInput.cpp); but it reads symbols
// from the page's key codes, which name the keypad by Num Lock,
// the right-hand Windows key as a backslash, and some keys not at all. Here each
// key gets the symbol the desktop's SDL gives it, in events and state alike,
// whatever is held is let go when the page loses the focus or is hidden, and a
// held key repeats only as the program asks (SDL_EnableKeyRepeat), as on the desktop.

#include "WebKeys.h"

#include <emscripten.h>

namespace {

// Keys named by the page's name for the key itself (KeyboardEvent.code), which
// neither the layout nor Num Lock changes: the desktop names them so too.
const struct {
    const char* code;
    SDLKey key;
} kKeysByCode[] = {
    {"Numpad0", SDLK_KP0}, {"Numpad1", SDLK_KP1}, {"Numpad2", SDLK_KP2}, {"Numpad3", SDLK_KP3},
    {"Numpad4", SDLK_KP4}, {"Numpad5", SDLK_KP5}, {"Numpad6", SDLK_KP6}, {"Numpad7", SDLK_KP7},
    {"Numpad8", SDLK_KP8}, {"Numpad9", SDLK_KP9}, {"NumpadDecimal", SDLK_KP_PERIOD},
    {"NumpadDivide", SDLK_KP_DIVIDE}, {"NumpadMultiply", SDLK_KP_MULTIPLY}, {"NumpadSubtract", SDLK_KP_MINUS},
    {"NumpadAdd", SDLK_KP_PLUS}, {"NumpadEnter", SDLK_KP_ENTER}, {"NumpadEqual", SDLK_KP_EQUALS},
    {"ShiftLeft", SDLK_LSHIFT}, {"ShiftRight", SDLK_RSHIFT}, {"ControlLeft", SDLK_LCTRL},
    {"ControlRight", SDLK_RCTRL}, {"AltLeft", SDLK_LALT}, {"AltRight", SDLK_RALT},
    {"MetaLeft", SDLK_LMETA}, {"MetaRight", SDLK_RMETA},
    {"PrintScreen", SDLK_PRINT}, {"ScrollLock", SDLK_SCROLLOCK}, {"Pause", SDLK_PAUSE}, {"ContextMenu", SDLK_MENU},
};

// Chromium's key codes of three keys of punctuation, which the runtime knows by
// Firefox's codes only. Characters follow the layout, as on the desktop.
const struct {
    int keyCode;
    SDLKey key;
} kKeysByKeyCode[] = {{186, SDLK_SEMICOLON}, {187, SDLK_EQUALS}, {189, SDLK_MINUS}};

// Puts the lookup below in the runtime's place, where both its key events and
// its key state take their symbol from. A key let go here carries its symbol
// (heldKey), since a right-hand modifier or a keypad key has no key code of its own.
EM_JS(void, lookUpKeysAsTheDesktop, (), {
    const runtimeLookUp = SDL.lookupKeyCodeForEvent;
    const byCode = Module.keysByCode = {};
    const byKeyCode = Module.keysByKeyCode = {};
    SDL.lookupKeyCodeForEvent = (event) => {
        for (const key of [event.heldKey, byCode[event.code], byKeyCode[event.keyCode]])
            if (key !== undefined)
                return key;
        return runtimeLookUp(event);
    };

    // Held once the program has read the events still waiting: a key pressed
    // just before the page lost the focus is let go as well, and one released is not let go twice.
    const heldAfterWaiting = () => {
        const held = new Set(Object.keys(SDL.keyboardMap).map(Number));
        for (const event of SDL.events) {
            if (event.type === 'keydown')
                held.add(SDL.lookupKeyCodeForEvent(event));
            else if (event.type === 'keyup')
                held.delete(SDL.lookupKeyCodeForEvent(event));
        }
        return held;
    };
    // Runs before the runtime's own letting go, which it leaves nothing to do:
    // that one would let a right-hand modifier go as the left-hand one.
    const letGo = () => {
        for (const key of heldAfterWaiting())
            SDL.events.push({ type: 'keyup', keyCode: 0, heldKey: key });
        SDL.keyboardMap = {};
    };
    addEventListener('blur', letGo);
    document.addEventListener('visibilitychange', () => {
        if (document.hidden)
            letGo();
    });
});

// The browser repeats the key-down of every held key, at its own pace, and the
// runtime passes each repeat on (its SDL_EnableKeyRepeat does nothing); the
// desktop's SDL repeats none unless the program asks. Here a repeat goes on only
// when the program has asked, no sooner than its delay after the press and its
// interval after the repeat before. The page's own presses (Module.sendKey) pass this way too.
EM_JS(void, repeatKeysAsAsked, (), {
    const repeat = Module.keyRepeat = { delay: 0, interval: 0, pressedAt: {}, passedAt: {} };
    const receive = SDL.receiveEvent;
    SDL.receiveEvent = (event) => {
        if (event.type === 'keydown') {
            const now = performance.now();
            if (!event.repeat) {
                repeat.pressedAt[event.code] = repeat.passedAt[event.code] = now;
            } else if (repeat.delay === 0 || now - repeat.pressedAt[event.code] < repeat.delay ||
                       now - repeat.passedAt[event.code] < repeat.interval) {
                event.preventDefault(); // as the runtime would for a key it takes
                return;
            } else {
                repeat.passedAt[event.code] = now;
            }
        }
        return receive(event);
    };
});

EM_JS(void, setKeyRepeat, (int delay, int interval), { Object.assign(Module.keyRepeat, { delay, interval }); });

EM_JS(void, nameKeyByCode, (const char* code, int key), { Module.keysByCode[UTF8ToString(code)] = key; });
EM_JS(void, nameKeyByKeyCode, (int keyCode, int key), { Module.keysByKeyCode[keyCode] = key; });

} // namespace

void startKeysAsTheDesktop()
{
    lookUpKeysAsTheDesktop();
    repeatKeysAsAsked();
    for (const auto& named : kKeysByCode)
        nameKeyByCode(named.code, named.key);
    for (const auto& named : kKeysByKeyCode)
        nameKeyByKeyCode(named.keyCode, named.key);
}

// In the runtime's place, whose own does nothing: SDL 1.2's answers, a delay of 0 switching repeats off.
extern "C" int SDL_EnableKeyRepeat(int delay, int interval)
{
    if (delay < 0 || interval < 0) {
        SDL_SetError("keyboard repeat value less than zero");
        return -1;
    }
    setKeyRepeat(delay, interval);
    return 0;
}

