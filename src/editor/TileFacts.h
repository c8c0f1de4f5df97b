#ifndef EDITOR_TILEFACTS_H
#define EDITOR_TILEFACTS_H

// What the map's own queries say of a tile number.
struct TileFacts
{
    bool solid;
    bool stopsBullets;
    bool animated;
};

TileFacts factsOf(int tile);

#endif
