#include "CGame.h"

#include <algorithm>

#include "Map.h"
#include "SpriteManager.h"

float x = 350.0f;

namespace {

const float kWrapThreshold = 1310.0f;
const float kMapWidth = MAP_COLUMNS * TILE_SIZE; // the map repeats every 960 pixels
const int kHalfScreenWidth = kScreenWidth / 2;
const int kFirstRow = -9;
const int kLastRow = 18;
const int kColumnsLeftOfCentre = 14;
const int kColumnsRightOfCentre = 13;

} // namespace

void CGame::drawBackground(float dt)
{
    // The same pace as the flying objects, so they keep their place against the landscape.
    x += pace() * dt;
    if (x > kWrapThreshold)
        x -= kMapWidth;

    const int centralColumn = static_cast<int>(x / TILE_SIZE);
    const int leftEdge = static_cast<int>(x) - kHalfScreenWidth;

    // Negative indices are raised to 0, so every cell is visited once.
    for (int row = std::max(0, kFirstRow); row <= kLastRow; ++row) {
        const int firstColumn = std::max(0, centralColumn - kColumnsLeftOfCentre);
        for (int column = firstColumn; column <= centralColumn + kColumnsRightOfCentre; ++column) {
            const int tile = map->getTileAt(column, row);
            if (tile > 0)
                tiles->drawSprite(tile, column * TILE_SIZE - leftEdge, row * TILE_SIZE, TILE_SIZE, TILE_SIZE);
        }
    }
}
