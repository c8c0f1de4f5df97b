// The browser's side of the frame loop. A program's frame ends at the buffer
// swap, which hands the browser its turn until the next animation frame: one
// frame per display refresh, and none at all while the page is hidden or its
// picture lost (the browser has taken its WebGL context, until it hands it
// back). The clock the engine reads stops meanwhile, from its last reading
// before (a busy or suspended device may stop running a page a good while
// before it says the page is hidden), so the first frame after the page comes
// back has an ordinary frame time.

#include <emscripten.h>

#include "WebKeys.h"
#include "WebRenderer.h"

#undef SDL_GL_SwapBuffers
#undef SDL_Delay
#undef SDL_GetTicks

namespace {

// Sets up what the page and the frame loop share: the hidden-time account, and
// Module.sendKey, through which the page's own controls (touch, pointer, pad,
// buttons) press keys in the runtime's SDL as its keyboard handler would. The
// runtime wakes its audio at a key, a click or a touch of its own, which the
// page's controls take before it, so a key they press wakes it too (where the
// browser lets that moment start sound: a pad, for one, may have to wait).
// A page whose picture is lost counts as hidden, and a page counts as hidden
// until its first animation frame after it is back, which may come a good while
// later. Frames waiting for its return (`waiting`) go on then.
EM_JS(void, watchPage, (), {
    const watch = Module.pageWatch = {
        hiddenFor: 0,
        hiddenSince: null,
        counted: Date.now(), // the clock has run for the program up to here
        pictureLost: false,
        waiting: [],
        away: () => document.hidden || watch.pictureLost,
        leave: () => {
            if (watch.hiddenSince === null)
                watch.hiddenSince = watch.counted;
        },
        resume: () => {
            if (watch.hiddenSince !== null && !watch.away()) {
                watch.hiddenFor += Date.now() - watch.hiddenSince;
                watch.hiddenSince = null;
                watch.counted = Date.now();
            }
        },
        comeBack: () => {
            if (watch.away())
                return;
            requestAnimationFrame(watch.resume);
            watch.waiting.splice(0).forEach((frame) => frame());
        },
    };
    if (watch.away())
        watch.leave();
    document.addEventListener('visibilitychange', () => (document.hidden ? watch.leave() : watch.comeBack()));
    if (Module.canvas) {
        Module.canvas.addEventListener('webglcontextlost', () => {
            watch.pictureLost = true;
            watch.leave();
        });
        Module.canvas.addEventListener('webglcontextrestored', () => {
            watch.pictureLost = false;
            watch.comeBack();
        });
    }
    Module.sendKey = (type, keyCode) => {
        const audio = SDL.audioContext;
        if (audio && audio.state === 'suspended')
            audio.resume().catch(() => {});
        SDL.receiveEvent({ type: type, keyCode: keyCode, preventDefault: () => {} });
    };
});

// Milliseconds the page has spent hidden so far, the current stretch included.
EM_JS(double, hiddenMilliseconds, (), {
    const watch = Module.pageWatch;
    watch.counted = Date.now();
    return watch.hiddenFor + (watch.hiddenSince === null ? 0 : Date.now() - watch.hiddenSince);
});

// Unwinds the program until the browser's next animation frame, waiting first
// for the page to come back if it is hidden or its picture lost; the page then
// reads its once-a-frame input (Module.beforeFrame) and the program goes on
// inside that frame. Before, the page may copy the frame just drawn
// (Module.afterFrame), which the browser clears once it has shown it.
EM_JS(void, webWaitForFrame, (), {
    Asyncify.handleSleep((wakeUp) => {
        if (Module.afterFrame)
            Module.afterFrame();
        const frame = () => requestAnimationFrame(() => {
            if (Module.pageWatch.away())
                return Module.pageWatch.waiting.push(frame);
            Module.pageWatch.resume();
            if (Module.beforeFrame)
                Module.beforeFrame();
            wakeUp();
        });
        frame();
    });
});

// Before main: the page may press keys before the program has started, and
// they pass through the keyboard as the desktop's.
__attribute__((constructor)) void startWatchingPage()
{
    startKeysAsTheDesktop();
    watchPage();
}

// Set by a swap, which has just given the browser its turn.
bool yieldedSinceDelay = false;

} // namespace

void webSwapBuffers()
{
    webFlushDrawing();
    SDL_GL_SwapBuffers();
    yieldedSinceDelay = true;
    webWaitForFrame();
}

void webDelay(Uint32 milliseconds)
{
    // The game's zero delay after a swap would only add a timer's wait to the
    // animation frame's; any other delay still sleeps, so a loop without a swap
    // lets the browser in too.
    const bool yielded = yieldedSinceDelay;
    yieldedSinceDelay = false;
    if (milliseconds == 0 && yielded)
        return;
    SDL_Delay(milliseconds);
}

Uint32 webGetTicks()
{
    return SDL_GetTicks() - static_cast<Uint32>(hiddenMilliseconds());
}
