#ifndef EDITOR_COMMANDLINE_H
#define EDITOR_COMMANDLINE_H

#include <string>

#include "MapView.h"

// What the editor works on; the defaults suit a run from the repository root.
struct EditorOptions
{
    std::string mapPath = "data/map.dat";
    std::string tilesDirectory = "data/tiles";
    ViewKind view = ViewKind::Game;
    bool helpWanted = false;
};

extern const char* const kUsageLine;

// Reads "[MAP] [--tiles DIR] [--view game|plain]" (and --help). Returns false with a one-line
// reason when the arguments make no sense.
bool parseCommandLine(int argc, char** argv, EditorOptions& options, std::string& reason);

#endif
