#include <cstdio>
#include <cstdlib>

#include "CGame.h"
#include "SpriteManager.h"
#include "TorvaneActor.h"

namespace {

const int kAppleFrame = 3;
const int kHostileFrame = 4;
const int kSpawnX = kScreenWidth; // just beyond the right edge
const int kHomingDeadBand = 30;
const int kStartingPace = 60;

bool isHostile(TorvaneActor* object)
{
    return object->getFrame() == kHostileFrame;
}

} // namespace

float CGame::pace() const
{
    return static_cast<float>(score + kStartingPace);
}

void CGame::spawnEnemy(int kind)
{
    if (kind != 0 && kind != 1)
        return;
    TorvaneActor* object = new TorvaneActor(sprites);
    object->setAnimation(kind == 1 ? kHostileFrame : kAppleFrame, 1, 0.25f);
    object->setXYWH(kSpawnX, 0, 64, 64);
    if (kind == 0)
        object->setX(kSpawnX);
    object->setY(rand() % (kScreenHeight - static_cast<int>(object->getHeight())));
    object->setRotation(rand() % 360);
    actors.push_back(object);
}

void CGame::handleEnemies()
{
    for (TorvaneActor* object : actors) {
        if (object == player)
            continue;
        object->rotate(15 * delta);

        if (object->collision(player)) {
            if (isHostile(object)) {
                lives--;
                printf("Player got hit by a hostile :(\n");
                player->temporaryFrame(5);
            } else {
                score++;
                if (score % 20 == 0)
                    lives++;
            }
            actors.remove(object);
            delete object;
            return;
        }

        object->move(-pace() * delta, 0);

        if (isHostile(object)) {
            const int objectY = static_cast<int>(object->getY());
            const int playerY = static_cast<int>(player->getY());
            if (abs(objectY - playerY) > kHomingDeadBand) {
                const float step = pace() / 2 * delta;
                object->move(0, object->getY() > player->getY() ? -step : step);
            }
        }

        if (object->getX() < -object->getWidth()) {
            actors.remove(object);
            if (!isHostile(object))
                missed++;
            delete object;
            return;
        }
    }
}
