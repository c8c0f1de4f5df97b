#include "CommandLine.h"

const char* const kUsageLine = "usage: grubnosh-editor [MAP] [--tiles DIR]";

bool parseCommandLine(int argc, char** argv, EditorOptions& options, std::string& reason)
{
    bool mapGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            options.helpWanted = true;
        } else if (argument == "--tiles") {
            if (i + 1 >= argc) {
                reason = "--tiles needs a folder";
                return false;
            }
            options.tilesDirectory = argv[++i];
        } else if (argument.size() > 1 && argument[0] == '-') {
            reason = "unknown option " + argument;
            return false;
        } else if (mapGiven) {
            reason = "one map at a time, not also " + argument;
            return false;
        } else {
            options.mapPath = argument;
            mapGiven = true;
        }
    }
    return true;
}
