#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "FuzzInput.h"
#include "VeskBitmapFont.h"

// A malformed definition ends the process with status 1, as the game wants. So
// each input is read first by a separate reader program: status 1 means it took
// one of those paths, and that is all; a crash or a sanitizer report there is a
// finding. An input the reader came through is read again here, in-process,
// where the fuzzer sees its coverage.
namespace {

int readInChild(const char* path)
{
    char* const arguments[] = {const_cast<char*>(FONT_DEFINITION_READER), const_cast<char*>(path), NULL};
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t child;
    const int failed = posix_spawn(&child, FONT_DEFINITION_READER, &quiet, NULL, arguments, environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (failed)
        abort();
    // libFuzzer's once-a-second timer signal can interrupt the wait.
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            abort();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const int status = readInChild(input.name());
    if (status == 1)
        return 0;
    if (status != 0)
        abort();
    static VeskBitmapFont* font = new VeskBitmapFont("", "");
    font->loadDefinition(input.name());
    return 0;
}
