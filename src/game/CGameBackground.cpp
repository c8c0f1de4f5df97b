#include "CGame.h"

#include "Map.h"
#include "SpriteManager.h"
#include "TileView.h"

float x = 350.0f;

namespace {

const float kWrapThreshold = 1310.0f;
const float kMapWidth = MAP_COLUMNS * TILE_SIZE; // the map repeats every 960 pixels

} // namespace

void CGame::drawBackground(float dt)
{
    // The same pace as the flying objects, so they keep their place against the landscape.
    x += pace() * dt;
    if (x > kWrapThreshold)
        x -= kMapWidth;

    TileView view(kScreenWidth, kScreenHeight);
    view.centreOn(x);
    view.forEachVisibleCell([this](const TileViewCell& cell) {
        const int tile = map->getTileAt(cell.column, cell.row);
        if (tile > 0)
            tiles->drawSprite(tile, cell.screenX, cell.screenY, TILE_SIZE, TILE_SIZE);
    });
}
