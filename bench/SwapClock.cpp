// Preloaded into a program under measurement: timestamps every buffer swap and,
// at exit, writes them (microseconds since process start) to $SWAPCLOCK_FILE.
// After $SWAPCLOCK_FRAMES swaps it queues one quit event, as closing the window would.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <vector>

#include "SDL_events.h"

namespace {

using Clock = std::chrono::steady_clock;

struct SwapLog
{
    Clock::time_point start = Clock::now();
    std::vector<long long> swaps;

    ~SwapLog()
    {
        const char* path = getenv("SWAPCLOCK_FILE");
        FILE* file = path != NULL ? fopen(path, "w") : NULL;
        if (file == NULL)
            return;
        for (long long micros : swaps)
            fprintf(file, "%lld\n", micros);
        fclose(file);
    }
};

SwapLog& swapLog()
{
    static SwapLog log;
    return log;
}

// Touch the log as the library loads, so its clock starts with the process.
const bool started = (swapLog(), true);

} // namespace

extern "C" void SDL_GL_SwapBuffers(void)
{
    using SwapFunction = void (*)(void);
    static SwapFunction real = reinterpret_cast<SwapFunction>(dlsym(RTLD_NEXT, "SDL_GL_SwapBuffers"));
    real();
    SwapLog& log = swapLog();
    const auto elapsed = Clock::now() - log.start;
    log.swaps.push_back(std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count());

    static const char* limit = getenv("SWAPCLOCK_FRAMES");
    if (limit != NULL && log.swaps.size() == static_cast<size_t>(atol(limit))) {
        using PushFunction = int (*)(SDL_Event*);
        static PushFunction push = reinterpret_cast<PushFunction>(dlsym(RTLD_DEFAULT, "SDL_PushEvent"));
        SDL_Event quit = {};
        quit.type = SDL_QUIT;
        push(&quit);
    }
}
