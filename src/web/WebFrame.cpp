// The browser's side of the frame loop. A program's frame ends at the buffer
// swap, which hands the browser its turn until the next animation frame: one
// frame per display refresh, and none at all while the page is hidden. The
// clock the engine reads stops while the page is hidden, from its last reading
// before (a busy or suspended device may stop running a page a good while
// before it says the page is hidden), so the first frame after it comes back
// does not jump on by either while.

#include <emscripten.h>

#include "WebRenderer.h"

#undef SDL_GL_SwapBuffers
#undef SDL_Delay
#undef SDL_GetTicks

namespace {

// Sets up what the page and the frame loop share: the hidden-time account, and
// Module.sendKey, through which the page's own controls (touch, pointer, pad,
// buttons) press keys in the runtime's SDL as its keyboard handler would.
// A page counts as hidden until its first animation frame after it is shown
// again, which may come a good while later.
EM_JS(void, watchPage, (), {
    const watch = Module.pageWatch = {
        hiddenFor: 0,
        hiddenSince: document.hidden ? Date.now() : null,
        counted: Date.now(), // the clock has run for the program up to here
        resume: () => {
            if (watch.hiddenSince !== null && !document.hidden) {
                watch.hiddenFor += Date.now() - watch.hiddenSince;
                watch.hiddenSince = null;
                watch.counted = Date.now();
            }
        },
    };
    document.addEventListener('visibilitychange', () => {
        if (!document.hidden)
            requestAnimationFrame(watch.resume);
        else if (watch.hiddenSince === null)
            watch.hiddenSince = watch.counted;
    });
    Module.sendKey = (type, keyCode) => SDL.receiveEvent({ type: type, keyCode: keyCode, preventDefault: () => {} });
});

// Milliseconds the page has spent hidden so far, the current stretch included.
EM_JS(double, hiddenMilliseconds, (), {
    const watch = Module.pageWatch;
    watch.counted = Date.now();
    return watch.hiddenFor + (watch.hiddenSince === null ? 0 : Date.now() - watch.hiddenSince);
});

// Unwinds the program until the browser's next animation frame, waiting first
// for the page to be shown if it is hidden; the page then reads its once-a-frame
// input (Module.beforeFrame) and the program goes on inside that frame.
EM_JS(void, webWaitForFrame, (), {
    Asyncify.handleSleep((wakeUp) => {
        const frame = () => requestAnimationFrame(() => {
            if (document.hidden)
                return document.addEventListener('visibilitychange', frame, { once: true });
            Module.pageWatch.resume();
            if (Module.beforeFrame)
                Module.beforeFrame();
            wakeUp();
        });
        frame();
    });
});

// Before main: the page may press keys before the program has started.
__attribute__((constructor)) void startWatchingPage()
{
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
