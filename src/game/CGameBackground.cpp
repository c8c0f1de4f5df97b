#include "CGame.h"

float x = 350.0f;

void CGame::drawBackground(float dt)
{
    (void)dt;
}
