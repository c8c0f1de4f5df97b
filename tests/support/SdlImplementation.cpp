#include "SdlImplementation.h"

#include <fstream>
#include <unistd.h>

#include "SDL.h"

bool runsOnSdl12Compat()
{
    const SDL_version* linked = SDL_Linked_Version();
    return SDL_VERSIONNUM(linked->major, linked->minor, linked->patch) >= SDL_VERSIONNUM(1, 2, 50);
}

std::string sdlImplementation()
{
    const SDL_version* linked = SDL_Linked_Version();
    const std::string version = std::to_string(linked->major) + "." + std::to_string(linked->minor) + "." +
                                std::to_string(linked->patch);
    const std::string name = runsOnSdl12Compat() ? "sdl12-compat " : "classic SDL ";
    return name + version + " (" + sdlLibraryOf(getpid()) + ")";
}

std::string sdlLibraryOf(pid_t process)
{
    std::ifstream maps("/proc/" + std::to_string(process) + "/maps");
    std::string line;
    while (std::getline(maps, line)) {
        const std::string::size_type path = line.find('/');
        if (path != std::string::npos && line.find("/libSDL-1.2.so", path) != std::string::npos)
            return line.substr(path);
    }
    return "";
}
