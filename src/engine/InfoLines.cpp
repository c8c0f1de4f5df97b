#include "InfoLines.h"

#include <cstdarg>
#include <cstdio>

#include "TorvaneApp.h"

namespace {

// Shown unless told otherwise: the game's log is made of them.
bool infoLinesShown = true;

} // namespace

void TQ_setInfoLines(bool shown)
{
    infoLinesShown = shown;
}

void printInfo(const char* format, ...)
{
    if (!infoLinesShown)
        return;
    va_list values;
    va_start(values, format);
    vprintf(format, values);
    va_end(values);
}
