#ifndef EDITOR_STATUSLINE_H
#define EDITOR_STATUSLINE_H

#include <string>

class VeskBitmapFont;

// White for information, green once saved, red for errors and warnings.
enum class StatusKind { Info, Saved, Error };

struct Status
{
    StatusKind kind;
    std::string text;
};

// A status message formatted like printf.
Status statusf(StatusKind kind, const char* format, ...) __attribute__((format(printf, 2, 3)));

// The part of a path after its last slash, short enough for the status line.
std::string fileNameOf(const std::string& path);

// Writes the message to standard error as one "grubnosh-editor: ..." line, so
// that it reaches the user even where no font draws it.
void logStatus(const Status& status);

// Draws the message in its colour and leaves the font white again.
void drawStatus(VeskBitmapFont& font, const Status& status, int x, int y);

#endif
