#include "StatusLine.h"

#include <cstdarg>
#include <cstdio>

#include "VeskBitmapFont.h"

namespace {

struct FontColour
{
    unsigned char red, green, blue;
};

const FontColour kInfoColour = {255, 255, 255};
const FontColour kSavedColour = {90, 230, 90};
const FontColour kErrorColour = {255, 80, 70};

FontColour colourOf(StatusKind kind)
{
    switch (kind) {
    case StatusKind::Saved:
        return kSavedColour;
    case StatusKind::Error:
        return kErrorColour;
    default:
        return kInfoColour;
    }
}

} // namespace

Status statusf(StatusKind kind, const char* format, ...)
{
    char text[256];
    va_list values;
    va_start(values, format);
    vsnprintf(text, sizeof text, format, values);
    va_end(values);
    return Status{kind, text};
}

std::string fileNameOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void logStatus(const Status& status)
{
    fprintf(stderr, "grubnosh-editor: %s\n", status.text.c_str());
}

void drawStatus(VeskBitmapFont& font, const Status& status, int x, int y)
{
    const FontColour colour = colourOf(status.kind);
    font.setFontColour(colour.red, colour.green, colour.blue);
    font.sprint(x, y, "%s", status.text.c_str());
    font.setFontColour(kInfoColour.red, kInfoColour.green, kInfoColour.blue);
}
