// Linked into test programs of the sanitizer build only. SDL unloads OpenGL at exit,
// and Mesa its driver with it, before the leak check runs; their leaks then show as
// "<unknown module>" and no suppression can name them. Keeping every library loaded
// lets the suppressions file match them by library name.
extern "C" int dlclose(void*)
{
    return 0;
}
