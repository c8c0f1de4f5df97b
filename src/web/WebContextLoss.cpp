#include "WebContextLoss.h"

#include <emscripten.h>

namespace {

// Written by the page's event handler, between the program's frames.
volatile int handedBack = 0;

// Preventing the loss's default is how a page asks for the context back.
EM_JS(void, askForLostContextsBack, (volatile int* count), {
    const canvas = Module.canvas;
    if (!canvas)
        return;
    canvas.addEventListener('webglcontextlost', (event) => event.preventDefault());
    canvas.addEventListener('webglcontextrestored', () => { HEAP32[count >> 2] += 1; });
});

// Before main: the context may be lost as soon as the program makes it.
__attribute__((constructor)) void startAskingForLostContexts()
{
    askForLostContextsBack(&handedBack);
}

} // namespace

int webContextGeneration()
{
    return handedBack;
}
