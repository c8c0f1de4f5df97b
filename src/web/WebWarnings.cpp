#include "WebWarnings.h"

#include <cstdio>
#include <set>
#include <string>
#include <utility>

void webWarnOnce(const char* call, unsigned value)
{
    static std::set<std::pair<std::string, unsigned>> warned;
    if (!warned.insert({call, value}).second)
        return;
    char text[128];
    snprintf(text, sizeof text, call, value);
    fprintf(stderr, "WARN) The browser's renderer ignores %s\n", text);
}
