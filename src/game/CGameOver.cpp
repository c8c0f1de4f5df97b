#include "CGame.h"

void CGame::gameOver()
{
}
