// Example: actors
//
// Shows:  a pig steered with the arrow keys that turns gradually toward the
//         way it is heading and flaps through a three-frame animation; hostiles
//         that a self-resetting timer sends in from the edges and that home in
//         on the pig; a collision turns a hostile into an apple (a new
//         animation) that flies off, and shows the pig's hurt frame for a moment.
// Keys:   arrow keys steer the pig; Escape or closing the window quits.
// Uses:   TorvaneActor (setAnimation, updateAnimation, temporaryFrame,
//         rotateTowards, angleTowards, getForwardX/Y, collision, draw),
//         TorvaneAutoResetTimer, SpriteManager, VeskBitmapFont; the
//         application layer (TQ_loadSprites, TQ_run, TQ_isKeyHeld).
// Run:    build/example_actors, from the examples folder (see README.md).

#include <cmath>
#include <cstdlib>
#include <vector>

#include "ExampleWindow.h"
#include "SpriteManager.h"
#include "TorvaneActor.h"
#include "TorvaneTimer.h"

namespace {

// The kit's sprites: 0 to 2 the pig's wing beat, 3 apple, 4 hostile, 5 pig hurt.
const int kPigFrames = 0, kApple = 3, kHostile = 4, kPigHurt = 5;
const float kPigSpeed = 220.0f, kHostileSpeed = 85.0f;  // pixels per second
const double kPigTurn = 300.0, kHostileTurn = 120.0;    // degrees per second
const int kMostHostiles = 6;
const float kSpawnSeconds = 1.2f;

struct Follower
{
    TorvaneActor actor;
    bool caught;  // turned into an apple, leaving
};

// The arrow keys as a direction; false when none is held.
bool steering(float& dx, float& dy)
{
    dx = static_cast<float>(TQ_isKeyHeld(SDLK_RIGHT) - TQ_isKeyHeld(SDLK_LEFT));
    dy = static_cast<float>(TQ_isKeyHeld(SDLK_DOWN) - TQ_isKeyHeld(SDLK_UP));
    return dx != 0.0f || dy != 0.0f;
}

void steerPig(TorvaneActor& pig, float delta)
{
    float dx, dy;
    if (!steering(dx, dy))
        return;
    const float length = sqrtf(dx * dx + dy * dy);
    pig.move(dx / length * kPigSpeed * delta, dy / length * kPigSpeed * delta);
    pig.setX(fminf(fmaxf(pig.getX(), 0.0f), kExampleWidth - pig.getWidth()));
    pig.setY(fminf(fmaxf(pig.getY(), 40.0f), kExampleHeight - 40.0f - pig.getHeight()));
    // Screen y grows downwards, angles turn counter-clockwise: hence -dy.
    pig.rotateTowards(kPigTurn * delta, atan2f(-dy, dx) * 180.0 / M_PI);
}

// A hostile just outside a random point of the window's edge.
Follower spawnHostile(SpriteManager* sprites)
{
    float x = static_cast<float>(rand() % kExampleWidth), y = static_cast<float>(rand() % kExampleHeight);
    if (rand() % 2 == 0)
        x = rand() % 2 == 0 ? -48.0f : kExampleWidth;
    else
        y = rand() % 2 == 0 ? -48.0f : kExampleHeight;
    Follower hostile = {TorvaneActor(sprites), false};
    hostile.actor.setXYWH(x, y, 48, 48);
    hostile.actor.setAnimation(kHostile, 1, 0.2f);
    return hostile;
}

// Homing turns toward the pig a little each frame; angleTowards points from the
// target to the actor, so the way in is backwards along the rotation.
// True when this move caught the follower.
bool moveFollower(Follower& follower, TorvaneActor& pig, float delta)
{
    TorvaneActor& actor = follower.actor;
    const float targetX = pig.getX() + 8.0f, targetY = pig.getY() + 8.0f;
    if (follower.caught) {
        actor.rotateFacing(targetX, targetY);
        actor.setXYWH(actor.getForwardX(kHostileSpeed * 2.0f * delta), actor.getForwardY(kHostileSpeed * 2.0f * delta),
                      48, 48);
        return false;
    }
    actor.rotateTowards(kHostileTurn * delta, actor.angleTowards(targetX, targetY));
    actor.setXYWH(actor.getForwardX(-kHostileSpeed * delta), actor.getForwardY(-kHostileSpeed * delta), 48, 48);
    follower.caught = actor.collision(&pig);
    if (follower.caught) {
        actor.setAnimation(kApple, 1, 0.2f);
        pig.temporaryFrame(kPigHurt);
    }
    return follower.caught;
}

bool farOutside(TorvaneActor& actor)
{
    return fabsf(actor.getX() - kExampleWidth / 2) > 420 || fabsf(actor.getY() - kExampleHeight / 2) > 340;
}

} // namespace

int main(int, char**)
{
    std::unique_ptr<VeskBitmapFont> font = startExample("actors");
    std::unique_ptr<SpriteManager> sprites = TQ_loadSprites("data/sprites");  // culls to the window
    if (!font || !sprites)
        return 1;

    TorvaneActor pig(sprites.get());
    pig.setXYWH(288, 208, 64, 64);
    pig.setAnimation(kPigFrames, 3, 0.12f);
    TorvaneAutoResetTimer spawnTimer(kSpawnSeconds, true);
    std::vector<Follower> followers;
    int caught = 0;

    TQ_run([&](float delta) {
        steerPig(pig, delta);
        pig.updateAnimation(delta);
        int chasing = 0;
        for (Follower& follower : followers)
            chasing += follower.caught ? 0 : 1;
        if (spawnTimer.update(delta) && chasing < kMostHostiles)
            followers.push_back(spawnHostile(sprites.get()));
        for (size_t i = 0; i < followers.size(); ++i) {
            caught += moveFollower(followers[i], pig, delta) ? 1 : 0;
            if (farOutside(followers[i].actor))
                followers.erase(followers.begin() + i--);
        }

        for (Follower& follower : followers)
            follower.actor.draw(kExampleWidth / 2, kExampleHeight / 2);  // camera at the centre: world = screen
        pig.draw(kExampleWidth / 2, kExampleHeight / 2);
        font->sprint(16, 12, "hostiles chasing: %d   turned into apples: %d   next one: %.0f%%", chasing, caught,
                     spawnTimer.percentComplete());
        font->print("arrow keys: steer the pig   Escape: quit", 16, 448, 0.7f);
        return true;
    });
    return 0;
}
