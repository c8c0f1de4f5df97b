// The engine's examples in the browser, as one program: the page names the
// example as the program's argument, and that example's own main runs, as it
// does on the desktop. Each page sharing one program keeps the site small: a
// program of its own would bring each page another runtime and engine.

#include <cstdio>
#include <cstring>

// The examples' main functions, renamed by the build.
int helloExampleMain(int argc, char** argv);
int textExampleMain(int argc, char** argv);
int actorsExampleMain(int argc, char** argv);
int tilesExampleMain(int argc, char** argv);
int audioExampleMain(int argc, char** argv);

int main(int argc, char** argv)
{
    const char* name = argc > 1 ? argv[1] : "";
    // The example sees its own name as the program's. Called directly, not from
    // a table: a frame's end unwinds the stack to the browser, and the build
    // lets it unwind through direct calls only.
    if (strcmp(name, "hello") == 0)
        return helloExampleMain(argc - 1, argv + 1);
    if (strcmp(name, "text") == 0)
        return textExampleMain(argc - 1, argv + 1);
    if (strcmp(name, "actors") == 0)
        return actorsExampleMain(argc - 1, argv + 1);
    if (strcmp(name, "tiles") == 0)
        return tilesExampleMain(argc - 1, argv + 1);
    if (strcmp(name, "audio") == 0)
        return audioExampleMain(argc - 1, argv + 1);
    fprintf(stderr, "There is no example called '%s'\n", name);
    return 1;
}
