#include "CGame.h"

#include "Map.h"
#include "SpriteManager.h"
#include "TileView.h"

float x = kStartCentre;

namespace {

const float kWrapThreshold = 1310.0f;

} // namespace

void CGame::drawBackground(float dt)
{
    // The same pace as the flying objects, so they keep their place against the landscape.
    x += pace() * dt;
    if (x > kWrapThreshold)
        x -= MAP_WIDTH; // the map repeats every 960 pixels

    TileView view(kScreenWidth, kScreenHeight);
    view.centreOn(x);
    view.forEachVisibleCell([this](const TileViewCell& cell) {
        const int tile = map->getTileAt(cell.column, cell.row);
        if (tile > 0)
            tiles->drawSprite(tile, cell.screenX, cell.screenY, TILE_SIZE, TILE_SIZE);
    });
}
