// Reads one font definition file and ends: with status 0 when the reader came
// through, or with whatever status the reader itself ended the process with.
#include "VeskBitmapFont.h"

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    // No image: a font that is never ready, which needs no OpenGL context.
    VeskBitmapFont font("", "");
    font.loadDefinition(argv[1]);
    return 0;
}
