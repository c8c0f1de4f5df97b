#include "CommandLine.h"

#include <cstdlib>

const char* const kUsageLine = "usage: grubnosh-editor [MAP] [--tiles DIR] [--view game|plain]";

namespace {

// Set by the launcher, which starts the editor in the per-user folder: where
// the user typed the command line.
const char* const kStartFolderVariable = "GRUBNOSH_START_FOLDER";

// A path typed on the command line, taken from the folder it was typed in.
std::string typedPath(const std::string& path)
{
    const char* start = getenv(kStartFolderVariable);
    if (path.empty() || path[0] == '/' || start == NULL || start[0] != '/')
        return path;
    return std::string(start) + "/" + path;
}

// The value after an option; false, with the reason, when there is none.
bool optionValue(int argc, char** argv, int& i, std::string& value, std::string& reason, const char* wanted)
{
    if (i + 1 >= argc) {
        reason = std::string(argv[i]) + " needs " + wanted;
        return false;
    }
    value = argv[++i];
    return true;
}

bool readView(const std::string& name, ViewKind& view, std::string& reason)
{
    if (name == "game" || name == "plain") {
        view = name == "game" ? ViewKind::Game : ViewKind::Plain;
        return true;
    }
    reason = "no view called " + name + " (game or plain)";
    return false;
}

} // namespace

bool parseCommandLine(int argc, char** argv, EditorOptions& options, std::string& reason)
{
    bool mapGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            options.helpWanted = true;
        } else if (argument == "--tiles") {
            if (!optionValue(argc, argv, i, options.tilesDirectory, reason, "a folder"))
                return false;
            options.tilesDirectory = typedPath(options.tilesDirectory);
        } else if (argument == "--view") {
            std::string name;
            if (!optionValue(argc, argv, i, name, reason, "game or plain") || !readView(name, options.view, reason))
                return false;
        } else if (argument.size() > 1 && argument[0] == '-') {
            reason = "unknown option " + argument;
            return false;
        } else if (mapGiven) {
            reason = "one map at a time, not also " + argument;
            return false;
        } else {
            options.mapPath = typedPath(argument);
            mapGiven = true;
        }
    }
    return true;
}
