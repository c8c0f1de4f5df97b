#ifndef TORVANE_INFOLINES_H
#define TORVANE_INFOLINES_H

// The engine's progress lines on standard output ("INFO)", "PASS)", "Loaded %i
// sprites" and the like), which a program may silence with TQ_setInfoLines
// (TorvaneApp.h). Failures never come through here: they always print.

// printf to standard output, unless the program silenced progress lines.
void printInfo(const char* format, ...) __attribute__((format(printf, 1, 2)));

#endif
