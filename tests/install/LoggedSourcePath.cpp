// Built against the packaged kit by package-test.sh: a char line that does not
// begin with "char" makes the engine log its own source path and end the
// process with status 1, as a user's program would meet it.
#include <cstdio>

#include "VeskBitmapFont.h"

int main()
{
    VeskBitmapFont font("absent.tga", "absent.fnt");
    char line[] = "glyph id=65 x=0 y=0 width=8 height=8 xoffset=0 yoffset=0 xadvance=8 page=0";
    font.generateCharacterFromLine(line);
    fprintf(stderr, "the line was taken for a char line\n");
    return 0;
}
