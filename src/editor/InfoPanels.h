#ifndef EDITOR_INFOPANELS_H
#define EDITOR_INFOPANELS_H

#include "StatusLine.h"

class Map;
class TileSet;
class VeskBitmapFont;

// The current tile in a corner panel: its picture, its number, and what the
// map says of it (with a key to the overlay's marks while it is shown).
void drawTilePanel(VeskBitmapFont& font, TileSet& tiles, Map& map, int tile, bool overlayShown);

// The bar along the bottom: the status message on the left and, when the
// pointer is over the map, its cell and tile right-aligned in the corner.
void drawStatusBar(VeskBitmapFont& font, const Status& status, bool overCell, int column, int row, int tile);

#endif
