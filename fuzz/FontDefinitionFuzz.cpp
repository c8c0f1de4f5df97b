#include <cstdlib>

#include "FuzzInput.h"
#include "VeskBitmapFont.h"

// A malformed definition ends the process with status 1, as the game wants.
// This harness is linked with --wrap=exit, so while the reader runs, that
// ending comes back here as an exception instead: the reader's destructors
// close what it had open, and the next input runs in the same process.
namespace {

struct ReaderEnded
{
};

bool readerRunning = false;

} // namespace

extern "C" [[noreturn]] void __real_exit(int status);

extern "C" [[noreturn]] void __wrap_exit(int status)
{
    if (!readerRunning)
        __real_exit(status);
    if (status != 1)
        abort(); // the reader ends with 1 only; anything else is a finding
    readerRunning = false;
    throw ReaderEnded();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    // No image: a font that is never ready, which needs no OpenGL context.
    static VeskBitmapFont* font = new VeskBitmapFont("", "");
    readerRunning = true;
    try {
        font->loadDefinition(input.name());
    } catch (const ReaderEnded&) {
    }
    readerRunning = false;
    return 0;
}
