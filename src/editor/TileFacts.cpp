#include "TileFacts.h"

#include "Map.h"

TileFacts factsOf(int tile)
{
    // The map answers bullet questions only for cells, so ask a one-cell probe.
    static Map probe{};
    probe.setTileAt(0, 0, tile);
    return TileFacts{probe.isSolidTile(0, 0), probe.isBulletSolidTile(0, 0), probe.isAnimatedTile(tile)};
}
