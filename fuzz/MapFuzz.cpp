#include <cstdlib>

#include "FuzzInput.h"
#include "Map.h"

// Whatever the file holds, a load leaves only tile numbers a map file can carry.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    Map map = Map();
    map.loadMap(input.name());
    for (int row = 0; row < MAP_ROWS; ++row)
        for (int column = 0; column < MAP_COLUMNS; ++column) {
            const int tile = map.getTileAt(column, row);
            if (tile < 0 || tile > 62)
                abort();
        }
    return 0;
}
