#include "Shapes.h"

void frameRect(int x, int y, int width, int height, int thickness, TorvaneColour colour)
{
    TQ_fillRect(x, y, width, thickness, colour);
    TQ_fillRect(x, y + height - thickness, width, thickness, colour);
    TQ_fillRect(x, y + thickness, thickness, height - 2 * thickness, colour);
    TQ_fillRect(x + width - thickness, y + thickness, thickness, height - 2 * thickness, colour);
}
