#include "InfoPanels.h"

#include <cstdio>
#include <string>

#include "Map.h"
#include "MapView.h"
#include "Shapes.h"
#include "TileFacts.h"
#include "TileSet.h"
#include "TorvaneApp.h"
#include "VeskBitmapFont.h"

namespace {

const TorvaneColour kPanelColour = {0.05f, 0.05f, 0.1f, 0.72f};
const TorvaneColour kPanelEdge = {1.0f, 1.0f, 1.0f, 0.25f};
const TorvaneColour kPreviewBackdrop = {0.3f, 0.3f, 0.35f, 1.0f};

const int kPanelWidth = 246;
const int kPanelMargin = 6;
const int kPanelLeft = kScreenWidth - kPanelWidth - kPanelMargin;
const int kPreviewLeft = kPanelLeft + 8;
const int kTextLeft = kPreviewLeft + TILE_SIZE + 10;
const int kBarHeight = 26;
const int kBarMargin = 8;

struct OverlayKey
{
    TorvaneColour colour;
    const char* meaning;
};

const OverlayKey kOverlayKeys[] = {
    {kSolidTint, "solid"},
    {kBulletFrame, "stops bullets"},
    {kAnimatedMark, "animated"},
};

void drawPreview(TileSet& tiles, Map& map, int tile, int top)
{
    TQ_fillRect(kPreviewLeft - 2, top - 2, TILE_SIZE + 4, TILE_SIZE + 4, kPanelEdge);
    TQ_fillRect(kPreviewLeft, top, TILE_SIZE, TILE_SIZE, kPreviewBackdrop);
    tiles.draw(map, tile, kPreviewLeft, top, TILE_SIZE);
}

} // namespace

void drawTilePanel(VeskBitmapFont& font, TileSet& tiles, Map& map, int tile, bool overlayShown)
{
    const int line = font.getLineHeight();
    const int top = kPanelMargin;
    const int keyLines = overlayShown ? static_cast<int>(sizeof kOverlayKeys / sizeof kOverlayKeys[0]) : 0;
    const int height = 4 * line + 12 + keyLines * line;
    TQ_fillRect(kPanelLeft, top, kPanelWidth, height, kPanelColour);
    frameRect(kPanelLeft, top, kPanelWidth, height, 1, kPanelEdge);
    drawPreview(tiles, map, tile, top + 8);

    const TileFacts facts = factsOf(tile);
    font.setFontColour(255, 220, 90);
    font.sprint(kTextLeft, top + 4, tile == 0 ? "tile %i (eraser)" : "tile %i", tile);
    font.setFontColour(230, 230, 230);
    font.sprint(kTextLeft, top + 4 + line, "%s", facts.solid ? "solid" : "not solid");
    font.sprint(kTextLeft, top + 4 + 2 * line, "%s", facts.stopsBullets ? "stops bullets" : "bullets pass");
    if (facts.animated)
        font.sprint(kTextLeft, top + 4 + 3 * line, "animated, frame %i", map.getTileFrame());
    else
        font.sprint(kTextLeft, top + 4 + 3 * line, "not animated");

    for (int i = 0; i < keyLines; ++i) {
        const int y = top + 8 + (4 + i) * line;
        TorvaneColour swatch = kOverlayKeys[i].colour;
        swatch.alpha = 1.0f; // the marks are see-through on the map, not in the key
        TQ_fillRect(kPreviewLeft + 34, y + 3, 12, 12, swatch);
        font.sprint(kTextLeft, y, "%s", kOverlayKeys[i].meaning);
    }
    font.setFontColour(255, 255, 255);
}

void drawStatusBar(VeskBitmapFont& font, const Status& status, bool overCell, int column, int row, int tile)
{
    const int top = kScreenHeight - kBarHeight;
    const int textTop = top + (kBarHeight - font.getLineHeight()) / 2 + 1;
    TQ_fillRect(0, top, kScreenWidth, kBarHeight, kPanelColour);
    TQ_fillRect(0, top, kScreenWidth, 1, kPanelEdge);
    drawStatus(font, status, kBarMargin, textTop);
    char readout[64];
    snprintf(readout, sizeof readout, "col %i row %i  tile %i", column, row, tile);
    // The message comes first; the readout gives way when both do not fit.
    const int room = kScreenWidth - 3 * kBarMargin - TQ_textWidth(font, status.text);
    if (!overCell || TQ_textWidth(font, readout) > room)
        return;
    font.setFontColour(200, 200, 210);
    font.rightAlignPrint(readout, kScreenWidth - kBarMargin, textTop);
    font.setFontColour(255, 255, 255);
}
