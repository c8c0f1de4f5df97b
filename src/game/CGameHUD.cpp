#include "CGame.h"

void CGame::displayHUD()
{
}
