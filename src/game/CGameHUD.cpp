#include "CGame.h"

#include "SpriteManager.h"
#include "TorvaneActor.h"
#include "VeskBitmapFont.h"

namespace {

const int kLifeIconSize = 32;

} // namespace

void CGame::displayHUD()
{
    font->sprint(0, 0, "SCORE: %i MISSED: %i", score, missed);
    // Each life is a small copy of the pig as it looks right now.
    for (int i = 0; i < lives; ++i)
        sprites->drawSprite(player->getFrame(), i * kLifeIconSize, font->getLineHeight(), kLifeIconSize,
                            kLifeIconSize, static_cast<float>(player->getRotation()));
}
